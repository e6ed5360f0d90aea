#include "core/settings/messages.h"

#include <string>
#include <utility>

#include "core/base/locations.h"
#include "core/base/text.h"

namespace peekbar {

TrayIconRecord UserMessages::BalloonRecord(std::u16string_view text, MessageIcon icon) {
  TrayIconRecord record;
  record.flags = TrayIconRecord::kInfo;
  record.infoFlags = icon == MessageIcon::Error ? kBalloonError : kBalloonInfo;
  record.infoTitle = u"Peekbar";
  record.info = CutToUnits(text, kBalloonTextUnits - 1);
  return record;
}

void UserMessages::Show(WindowHandle owner, std::u16string_view text, MessageIcon icon) {
  if (settings_.balloon != 0) {
    // A balloon the shell cannot show (no icon yet) is lost without a report.
    shell_.NotifyIcon(TrayAction::Modify, BalloonRecord(text, icon));
  } else {
    ShowMessageBox(owner, text, icon);
  }
}

void UserMessages::ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon,
                                  std::function<void()> then) {
  operations_.Run([this, owner, text = std::u16string(text), icon, then = std::move(then)] {
    operations_.AtRest([&] { shell_.ShowMessageBox(owner, text, icon); });
    if (then) then();
  });
}

std::u16string ElevatedWindowSkippedMessage(std::u16string_view title) {
  return u"「" + std::u16string(title) + u"」は管理者として実行されているため、キーワードによる自動登録の対象から外しました。";
}

namespace {

constexpr std::u16string_view kElevatedNeedsElevated =
    u"管理者として実行されているウィンドウは、Peekbarも管理者として実行しないと登録できません。";

}  // namespace

std::u16string RegistrationRefusedMessage(std::u16string_view title) {
  return u"「" + std::u16string(title) + u"」を隠せなかったため、登録を取り消しました。" +
         std::u16string(kElevatedNeedsElevated);
}

std::u16string TooCostlyKeywordMessage(int monitor, int location, int monitorCount, std::u16string_view keyword) {
  std::u16string text = u"「";
  if (monitorCount > 1) text += u"モニター" + DecimalText(monitor + 1) + u"」の「";
  text += LocationName(location);
  text += u"」のキーワードは、照合に時間がかかりすぎるウィンドウがあったため、そのウィンドウとは一致しないものとしました。"
          u"キーワードを見直して下さい。\n\n";
  text += keyword;
  return text;
}

std::u16string ElevatedWindowNotRegisteredMessage(std::u16string_view title) {
  return u"「" + std::u16string(title) + u"」は管理者として実行されているため、登録しませんでした。" +
         std::u16string(kElevatedNeedsElevated);
}

}  // namespace peekbar
