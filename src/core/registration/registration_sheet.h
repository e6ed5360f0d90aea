// The registration sheet of one monitor: all sixteen locations with their
// keywords, guide colours and registered windows on five pages. This is its
// working state and every decision it makes; the Windows side only moves
// values between the controls and these calls.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/operations.h"
#include "core/base/state.h"
#include "core/registration/auto_register.h"
#include "core/settings/messages.h"
#include "core/settings/settings_file.h"

namespace peekbar {

// Item 0 of every row's window list; item i + 1 is candidate i.
inline constexpr std::u16string_view kNotRegisteredItem = u" - 未登録 - ";

// One page: its tab caption and the locations of its rows, top to bottom.
inline constexpr int kMaxSheetRows = 4;
struct RegistrationPage {
  std::u16string_view caption;
  int rowCount = 0;
  std::array<int, kMaxSheetRows> locations{};
};
// A page per group of the tray menu, with its rows in the group's order.
inline constexpr int kRegistrationPageCount = kLocationGroupCount;
inline constexpr std::array<RegistrationPage, kRegistrationPageCount> kRegistrationPages = [] {
  std::array<RegistrationPage, kRegistrationPageCount> pages{};
  for (int g = 0; g < kLocationGroupCount; ++g) {
    const LocationGroupRow& group = kLocationGroups[static_cast<std::size_t>(g)];
    RegistrationPage& page = pages[static_cast<std::size_t>(group.sheetPage)];
    page.caption = group.caption;
    for (const int location : LocationsIn(static_cast<LocationGroup>(g))) {
      page.locations[static_cast<std::size_t>(page.rowCount++)] = location;
    }
  }
  return pages;
}();

// "ウィンドウ登録", with the monitor's number when there are several.
std::u16string RegistrationSheetCaption(int monitor, int monitorCount);

// What a row shows when the sheet opens.
struct SheetRow {
  std::u16string_view name;     // the location's name, the row's frame
  std::u16string_view keyword;
  bool isRegex = false;
  int selection = 0;            // the window list's item
};

class RegistrationSheet {
 public:
  // Picks a location's guide colour with `owner` as the chooser's owner;
  // stores and saves it when confirmed.
  using GuideColorChooser = std::function<void(WindowHandle owner, int monitor, int location)>;

  // Opens the sheet: the candidates are collected and kept apart as the
  // sheet's own, and the program's list starts again empty at the same
  // size, so that the tray menu and keywords can use it meanwhile.
  RegistrationSheet(AppState& state, Desktop& desktop, AutoRegistration& registration,
                    SettingsFile& settingsFile, Operations& operations, UserMessages& messages,
                    GuideColorChooser chooseGuideColor, int monitor);
  RegistrationSheet(const RegistrationSheet&) = delete;
  RegistrationSheet& operator=(const RegistrationSheet&) = delete;

  int Monitor() const { return monitor_; }
  const std::u16string& Caption() const { return caption_; }
  // The entry labels of the candidates, in list order; a window whose
  // program runs as administrator has the note after its label.
  const std::vector<std::u16string>& CandidateLabels() const { return labels_; }

  // The row of a location as it is filled; its window list's item is
  // remembered for Undo.
  SheetRow FillRow(int location);
  // The item selected when the row was filled.
  int OpeningSelection(int location) const { return opening_[static_cast<std::size_t>(location)]; }
  Color GuideColor(int location) const;
  void ChooseGuideColor(WindowHandle owner, int location);

  // OK or Apply for one row: keyword and kind stored and saved (errors
  // reported to `owner`); the window of the selected item registered when it
  // is not the one registered now, the location cleared for item 0. A
  // window offered with the administrator's note is not registered: the
  // user is told, once per window while the sheet is open. A keyword
  // edited there is applied at once, as one edited from the menu, to a
  // location the row leaves empty (unless it emptied it). Runs as an
  // operation of its own.
  void ApplyRow(WindowHandle owner, int location, std::u16string_view keyword, bool isRegex, int selection);

 private:
  void ApplyRowNow(WindowHandle owner, int location, std::u16string_view keyword, bool isRegex, int selection);
  void TakeSelection(WindowHandle owner, int location, int selection);

  AppState& state_;
  Desktop& desktop_;
  AutoRegistration& registration_;
  SettingsFile& settingsFile_;
  Operations& operations_;
  UserMessages& messages_;
  GuideColorChooser chooseGuideColor_;
  int monitor_;
  std::u16string caption_;
  std::vector<WindowEntry> candidates_;  // the collected list; entries past the count are stale
  std::vector<std::u16string> labels_;   // one per valid candidate
  std::vector<bool> elevated_;           // one per valid candidate: runs as administrator
  std::set<WindowHandle> refusalToldOf_;
  std::array<int, kLocationCount> opening_{};
};

// The sheet on the screen: modal, it returns when it is closed.
class RegistrationSheetView {
 public:
  virtual ~RegistrationSheetView() = default;
  virtual void Run(RegistrationSheet& sheet) = 0;
};

}  // namespace peekbar
