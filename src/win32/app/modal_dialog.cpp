#include "win32/app/modal_dialog.h"

#include "win32/app/dialog_icon.h"

namespace peekbar::win32 {
namespace {

struct DialogBinding {
  const std::function<void(HWND)>& fill;
  const std::function<void(HWND)>& take;
  const std::function<bool(HWND)>& accept;
};

INT_PTR CALLBACK BoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* binding = reinterpret_cast<const DialogBinding*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      TakeOwnersIcon(dialog);
      reinterpret_cast<const DialogBinding*>(lParam)->fill(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        binding->take(dialog);
        if (binding->accept && !binding->accept(dialog)) return TRUE;
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool RunModalDialog(HINSTANCE instance, HWND owner, int templateId, const std::function<void(HWND)>& fill,
                    const std::function<void(HWND)>& take, const std::function<bool(HWND)>& accept) {
  const DialogBinding binding{fill, take, accept};
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &BoundDialogProc,
                         reinterpret_cast<LPARAM>(&binding)) == 1;
}

}  // namespace peekbar::win32
