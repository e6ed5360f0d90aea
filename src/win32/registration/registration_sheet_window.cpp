#include "win32/app/win32_dialogs.h"

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "resource.h"
#include "win32/app/property_sheet.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

// The copy button takes the list's text up to this many units, NUL included.
constexpr std::size_t kCopyUnits = 1024;

// The open sheet: the core's state, and the brush last handed out for each
// location's swatch (deleted when the sheet closes).
struct SheetWindow {
  explicit SheetWindow(RegistrationSheet& s) : sheet(s) {}
  SheetWindow(const SheetWindow&) = delete;
  SheetWindow& operator=(const SheetWindow&) = delete;
  ~SheetWindow() {
    for (HBRUSH& brush : swatchBrushes) {
      if (brush != nullptr) DeleteObject(brush);
      brush = nullptr;
    }
  }

  RegistrationSheet& sheet;
  std::array<HBRUSH, kLocationCount> swatchBrushes{};
};

// What each page is made with: the sheet and which of its pages it is.
struct PageContext final : SheetPage {
  PageContext(SheetWindow& s, int t) : sheetWindow(&s), type(t) {}
  void Fill(HWND page) override;
  void Apply(HWND page) override;
  bool Command(HWND page, int control, int code) override;
  std::optional<INT_PTR> Other(HWND page, UINT message, WPARAM wParam, LPARAM lParam) override;

  SheetWindow* sheetWindow;
  int type;
};

int RowControl(int row, int offset) { return IDC_REGISTRATION_ROW + IDC_REGISTRATION_ROW_STEP * row + offset; }

// The row and the part of it a control belongs to; false for controls
// outside the rows of this page.
bool SplitRowControl(const RegistrationPage& page, int id, int& row, int& offset) {
  if (id < IDC_REGISTRATION_ROW) return false;
  row = (id - IDC_REGISTRATION_ROW) / IDC_REGISTRATION_ROW_STEP;
  offset = (id - IDC_REGISTRATION_ROW) % IDC_REGISTRATION_ROW_STEP;
  return row < page.rowCount;
}

void SetText(HWND page, int id, std::u16string_view text) {
  SetDlgItemTextW(page, id, WideString(text).c_str());
}

void FillPage(HWND page, const PageContext& context) {
  RegistrationSheet& sheet = context.sheetWindow->sheet;
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  for (int r = 0; r < layout.rowCount; ++r) {
    const SheetRow row = sheet.FillRow(layout.locations[static_cast<std::size_t>(r)]);
    SetText(page, RowControl(r, IDC_REG_FRAME), row.name);
    SendDlgItemMessageW(page, RowControl(r, IDC_REG_KEYWORD), EM_LIMITTEXT, kKeywordUnits - 1, 0);
    SetText(page, RowControl(r, IDC_REG_KEYWORD), row.keyword);
    CheckRadioButton(page, RowControl(r, IDC_REG_WILDCARD), RowControl(r, IDC_REG_REGEX),
                     RowControl(r, row.isRegex ? IDC_REG_REGEX : IDC_REG_WILDCARD));
    const HWND list = GetDlgItem(page, RowControl(r, IDC_REG_WINDOW_LIST));
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideString(kNotRegisteredItem).c_str()));
    for (const std::u16string& label : sheet.CandidateLabels()) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(label)));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row.selection), 0);
  }
}

void ApplyPage(HWND page, const PageContext& context) {
  RegistrationSheet& sheet = context.sheetWindow->sheet;
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  for (int r = 0; r < layout.rowCount; ++r) {
    wchar_t keyword[kKeywordUnits] = {};
    const UINT length = GetDlgItemTextW(page, RowControl(r, IDC_REG_KEYWORD), keyword, kKeywordUnits);
    const bool isRegex = IsDlgButtonChecked(page, RowControl(r, IDC_REG_REGEX)) == BST_CHECKED;
    const auto selection =
        static_cast<int>(SendDlgItemMessageW(page, RowControl(r, IDC_REG_WINDOW_LIST), CB_GETCURSEL, 0, 0));
    sheet.ApplyRow(FromHwnd(page), layout.locations[static_cast<std::size_t>(r)], Utf16(keyword, length), isRegex,
                   selection);
  }
}

// The list's text as Unicode text on the clipboard, for pasting into a
// keyword; nothing when the clipboard can't be opened.
void CopyListText(HWND page, int row) {
  wchar_t text[kCopyUnits] = {};
  const UINT length = GetDlgItemTextW(page, RowControl(row, IDC_REG_WINDOW_LIST), text, kCopyUnits);
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, kCopyUnits * sizeof(wchar_t))) {
    if (void* data = GlobalLock(block)) {
      std::memcpy(data, text, length * sizeof(wchar_t));
      GlobalUnlock(block);
    }
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
  }
  CloseClipboard();
}

// After the colour chooser: every swatch of the page in its colour, and the
// buttons drawn again over them.
void RepaintSwatches(HWND page, const RegistrationPage& layout) {
  for (int r = 0; r < layout.rowCount; ++r) {
    RedrawWindow(GetDlgItem(page, RowControl(r, IDC_REG_SWATCH)), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RedrawWindow(GetDlgItem(page, RowControl(r, IDC_REG_COLOR)), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

void OnRowButton(HWND page, const PageContext& context, int row, int offset) {
  RegistrationSheet& sheet = context.sheetWindow->sheet;
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  const int location = layout.locations[static_cast<std::size_t>(row)];
  switch (offset) {
    case IDC_REG_UNDO:
      SendDlgItemMessageW(page, RowControl(row, IDC_REG_WINDOW_LIST), CB_SETCURSEL,
                          static_cast<WPARAM>(sheet.OpeningSelection(location)), 0);
      break;
    case IDC_REG_COPY:
      CopyListText(page, row);
      break;
    case IDC_REG_COLOR:
      sheet.ChooseGuideColor(FromHwnd(page), location);
      RepaintSwatches(page, layout);
      break;
    default:
      break;
  }
}

// The swatch's background in the location's guide colour; other statics
// are drawn as usual.
INT_PTR SwatchBrush(const PageContext& context, HWND control) {
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  int row = 0;
  int offset = 0;
  if (!SplitRowControl(layout, GetDlgCtrlID(control), row, offset) || offset != IDC_REG_SWATCH) return FALSE;
  const int location = layout.locations[static_cast<std::size_t>(row)];
  HBRUSH& brush = context.sheetWindow->swatchBrushes[static_cast<std::size_t>(location)];
  if (brush != nullptr) DeleteObject(brush);
  brush = CreateSolidBrush(context.sheetWindow->sheet.GuideColor(location));
  return reinterpret_cast<INT_PTR>(brush);
}

void PageContext::Fill(HWND page) { FillPage(page, *this); }
void PageContext::Apply(HWND page) { ApplyPage(page, *this); }

bool PageContext::Command(HWND page, int control, int code) {
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(type)];
  int row = 0;
  int offset = 0;
  if (code != BN_CLICKED || !SplitRowControl(layout, control, row, offset)) return false;
  OnRowButton(page, *this, row, offset);
  return true;
}

std::optional<INT_PTR> PageContext::Other(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) return SwatchBrush(*this, reinterpret_cast<HWND>(lParam));
  return std::nullopt;
}

}  // namespace

void Win32Dialogs::Run(RegistrationSheet& sheet) {
  SheetWindow sheetWindow(sheet);
  std::vector<PageContext> contexts;
  std::vector<SheetPageDef> pages;
  contexts.reserve(kRegistrationPageCount);
  for (int type = 0; type < kRegistrationPageCount; ++type) {
    const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(type)];
    contexts.emplace_back(sheetWindow, type);
    pages.push_back({layout.rowCount == kMaxSheetRows ? IDD_REGISTRATION_CORNERS : IDD_REGISTRATION_EDGE,
                     &contexts.back(), layout.caption});
  }
  RunPropertySheet(Instance(), Owner(), {.caption = sheet.Caption(), .pages = pages, .iconId = IDI_APP});
}

}  // namespace peekbar::win32
