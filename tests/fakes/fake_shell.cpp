#include "fakes/fake_shell.h"

#include "core/base/text.h"

namespace peekbar {
namespace {

const char* IconName(MessageIcon icon) { return icon == MessageIcon::Error ? "(error)" : "(info)"; }

}  // namespace

std::vector<TrayIconRecord> FakeShell::Balloons() const {
  std::vector<TrayIconRecord> balloons;
  for (const IconCall& call : iconCalls_) {
    if (call.action == TrayAction::Modify && (call.record.flags & TrayIconRecord::kInfo) != 0) {
      balloons.push_back(call.record);
    }
  }
  return balloons;
}

void FakeShell::ClearLog() {
  iconCalls_.clear();
  boxes_.clear();
  log_.clear();
}

bool FakeShell::NotifyIcon(TrayAction action, const TrayIconRecord& record) {
  bool ok = false;
  std::string line;
  switch (action) {
    case TrayAction::Add:
      line = "Add";
      // Adding an icon that is already there fails, as NIM_ADD does.
      ok = !addFails_ && !iconPresent_;
      if (ok) iconPresent_ = true;
      if (ok && addTimesOut_) ok = false;
      break;
    case TrayAction::Modify:
      line = "Modify";
      ok = iconPresent_;
      break;
    case TrayAction::Delete:
      line = "Delete";
      ok = iconPresent_;
      iconPresent_ = false;
      break;
  }
  if (action != TrayAction::Delete) {
    if ((record.flags & TrayIconRecord::kIcon) != 0) {
      line += " icon=" + std::to_string(record.iconResource);
      if (ok) iconImage_ = record.iconResource;
    }
    if ((record.flags & TrayIconRecord::kTip) != 0) {
      line += " tip=" + Utf8FromUtf16(record.tip);
      if (ok) iconTip_ = record.tip;
    }
    if ((record.flags & TrayIconRecord::kInfo) != 0) {
      line += " info=" + Utf8FromUtf16(record.info) + (record.infoFlags == 3 ? " (error)" : " (info)");
    }
  }
  if (!ok) line += " failed";
  log_.push_back(line);
  iconCalls_.push_back({action, record, ok});
  return ok;
}

void FakeShell::ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon) {
  boxes_.push_back({owner, std::u16string(text), icon});
  log_.push_back("Box owner=" + std::to_string(owner) + " " + IconName(icon) + " " + Utf8FromUtf16(text));
  if (whileBoxOpen) whileBoxOpen();
}

void FakeShell::StartTimer(std::uint32_t intervalMs) {
  timerRunning_ = true;
  timerInterval_ = intervalMs;
  ++timerStarts_;
  log_.push_back("StartTimer " + std::to_string(intervalMs));
}

void FakeShell::StopTimer() {
  timerRunning_ = false;
  ++timerStops_;
  log_.push_back("StopTimer");
}

void FakeShell::PostClose() {
  ++closeRequests_;
  log_.push_back("PostClose");
}

void FakeShell::OpenDocument(const std::u16string& path) { openedDocuments_.push_back(path); }

}  // namespace peekbar
