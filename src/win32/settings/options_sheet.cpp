#include "win32/settings/options_sheet.h"

#include <commctrl.h>

#include <string>

#include "win32/app/property_sheet.h"
#include "win32/app/wide.h"
#include "resource.h"
#include "core/settings/options.h"

namespace peekbar::win32 {
namespace {

// The check boxes follow one another from the first flag on; each row of
// the second page is an edit followed by its up-down control.
constexpr int kFlagBoxIds = IDC_OPTION_HIDE_TASKBAR;
constexpr int kRowIds = IDC_OPTION_CORNER_EDIT;
int EditId(std::size_t row) { return kRowIds + 2 * static_cast<int>(row); }
int SpinId(std::size_t row) { return EditId(row) + 1; }
constexpr std::size_t kCornerRow = 0;
constexpr std::size_t kMiddleRow = 1;

OptionFlagBoxes ReadBoxes(HWND page) {
  OptionFlagBoxes boxes{};
  for (std::size_t i = 0; i < kOptionFlagCount; ++i) {
    boxes[i] = IsDlgButtonChecked(page, kFlagBoxIds + static_cast<int>(i)) == BST_CHECKED;
  }
  return boxes;
}

void ShowBoxes(HWND page, const OptionFlagBoxes& boxes) {
  for (std::size_t i = 0; i < kOptionFlagCount; ++i) {
    CheckDlgButton(page, kFlagBoxIds + static_cast<int>(i), boxes[i] ? BST_CHECKED : BST_UNCHECKED);
  }
}

// First page: the flags' check boxes; restoring positions goes with keeping them.
class FlagsPage final : public SheetPage {
 public:
  explicit FlagsPage(Settings& options) : options_(options) {}
  void Fill(HWND page) override { ShowBoxes(page, OptionFlagsOf(options_)); }
  void Apply(HWND page) override { TakeOptionFlags(options_, ReadBoxes(page)); }
  bool Command(HWND page, int control, int) override {
    const int box = control - kFlagBoxIds;
    if (box < 0 || box >= static_cast<int>(kOptionFlagCount)) return false;
    OptionFlagBoxes boxes = ReadBoxes(page);
    CoupleOptionFlags(boxes, static_cast<std::size_t>(box));
    ShowBoxes(page, boxes);
    return true;
  }

 private:
  Settings& options_;
};

// Read as the signed 16-bit number the control reports.
std::int32_t Position(HWND page, std::size_t row) {
  return static_cast<short>(SendDlgItemMessageW(page, SpinId(row), UDM_GETPOS32, 0, 0));
}

void SetPosition(HWND page, std::size_t row, std::int32_t value) {
  SendDlgItemMessageW(page, SpinId(row), UDM_SETPOS32, 0, value);
}

// Keeps the corner and middle lengths together after one of them changed.
// Only what differs is written back, so the edits' own notifications of
// that change find nothing more to do.
void CoupleLengths(HWND page, EdgeLengths (*edited)(EdgeLengths)) {
  const EdgeLengths before{Position(page, kCornerRow), Position(page, kMiddleRow)};
  const EdgeLengths after = edited(before);
  if (after.corner != before.corner) SetPosition(page, kCornerRow, after.corner);
  if (after.middle != before.middle) SetPosition(page, kMiddleRow, after.middle);
}

void InitNumbersPage(HWND page, const Settings& options) {
  const auto rows = OptionNumberRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    SendDlgItemMessageW(page, SpinId(row), UDM_SETRANGE32, rows[row].low, rows[row].high);
    SetPosition(page, row, options.*rows[row].field);
  }
  for (const std::u16string_view item : MustButtonForShowItems()) {
    const std::wstring text = WideString(item);
    SendDlgItemMessageW(page, IDC_OPTION_MUST_BUTTON, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendDlgItemMessageW(page, IDC_OPTION_MUST_BUTTON, CB_SETCURSEL, static_cast<WPARAM>(options.mustButtonForShow), 0);
}

void TakeNumbersPage(HWND page, Settings& options) {
  OptionNumbers positions{};
  for (std::size_t row = 0; row < positions.size(); ++row) positions[row] = Position(page, row);
  const int item = static_cast<int>(SendDlgItemMessageW(page, IDC_OPTION_MUST_BUTTON, CB_GETCURSEL, 0, 0));
  TakeOptionNumbers(options, positions, item);
}

// Second page: the numbers and the button a show waits for.
class NumbersPage final : public SheetPage {
 public:
  explicit NumbersPage(Settings& options) : options_(options) {}
  void Fill(HWND page) override { InitNumbersPage(page, options_); }
  void Apply(HWND page) override { TakeNumbersPage(page, options_); }
  bool Command(HWND page, int control, int code) override {
    if (code != EN_UPDATE) return false;
    if (control == EditId(kCornerRow)) CoupleLengths(page, &CornerLengthEdited);
    if (control == EditId(kMiddleRow)) CoupleLengths(page, &MiddleLengthEdited);
    return true;
  }

 private:
  Settings& options_;
};

}  // namespace

bool RunOptionsSheet(HINSTANCE instance, HWND owner, Settings& options) {
  FlagsPage flags(options);
  NumbersPage numbers(options);
  const SheetPageDef pages[] = {{IDD_OPTIONS_FLAGS, &flags}, {IDD_OPTIONS_NUMBERS, &numbers}};
  return RunPropertySheet(instance, owner, {.caption = u"オプション", .pages = pages, .okOnly = true});
}

}  // namespace peekbar::win32
