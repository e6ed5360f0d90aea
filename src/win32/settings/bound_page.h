// Dialog pages bound to settings by the core's tables (bound_pages.h): the
// controls of a dialog as the tables reach them, and a property-sheet page
// that fills itself from a table and takes itself over by it.
#pragma once

#include <windows.h>

#include "core/settings/bound_pages.h"
#include "win32/app/property_sheet.h"

namespace peekbar::win32 {

class DialogControls final : public PageControls {
 public:
  explicit DialogControls(HWND dialog) : dialog_(dialog) {}
  bool IsChecked(int button) const override;
  void SetChecked(int button, bool checked) override;
  void SetRange(int upDown, std::int32_t low, std::int32_t high) override;
  std::int32_t Position(int upDown) const override;
  void SetPosition(int upDown, std::int32_t position) override;
  void AddItems(int list, std::span<const std::u16string_view> items) override;
  int Selection(int list) const override;
  void Select(int list, int item) override;

 private:
  HWND dialog_;
};

// A sheet page bound by `page`'s table: filled from `edited` and taken over
// into it on OK. `choosers` opens the colour and font choosers of its
// buttons; a page without such buttons needs none.
class BoundSheetPage final : public SheetPage {
 public:
  BoundSheetPage(const BoundPage& page, Settings& edited, SettingChoosers* choosers = nullptr)
      : page_(page), edited_(edited), choosers_(choosers) {}
  SheetPageDef Def() { return {page_.templateId, this}; }

  void Fill(HWND page) override;
  void Apply(HWND page) override;
  bool Command(HWND page, int control, int code) override;

 private:
  const BoundPage& page_;
  Settings& edited_;
  SettingChoosers* choosers_;
};

}  // namespace peekbar::win32
