#include "ui/win32/ListViews.h"

#include <algorithm>

#include "platform/windows/WideText.h"

namespace quorvane::win32 {

void SetColumn(HWND list, const std::wstring& header, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(header.c_str());
  column.cx = width;
  if (Header_GetItemCount(ListView_GetHeader(list)) == 0)
    ListView_InsertColumn(list, 0, &column);
  else
    ListView_SetColumn(list, 0, &column);
}

void SetRows(HWND list, const std::vector<std::string>& rows) {
  ListView_DeleteAllItems(list);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  for (const auto& row : rows) {
    std::wstring text = Widen(row);
    item.pszText = text.data();
    ListView_InsertItem(list, &item);
    ++item.iItem;
  }
}

void SelectRow(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0)
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int SelectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void FitWholeRows(HWND list) {
  RECT row{};
  // The rows begin below the header, where the top row is drawn.
  if (ListView_GetItemCount(list) == 0 ||
      !ListView_GetItemRect(list, std::max(0, ListView_GetTopIndex(list)), &row, LVIR_BOUNDS))
    return;
  RECT client{};
  GetClientRect(list, &client);
  const int row_height = row.bottom - row.top;
  const int rows_area = client.bottom - row.top;
  if (row_height <= 0 || rows_area <= row_height) return;
  const int cut = rows_area % row_height;
  if (cut == 0) return;
  RECT outer{};
  GetWindowRect(list, &outer);
  SetWindowPos(list, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top - cut,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HistoryListView::~HistoryListView() { history_.set_observer(nullptr); }

void HistoryListView::Attach(HWND list) {
  list_ = list;
  history_.set_observer(this);
  ListView_SetItemCountEx(list_, static_cast<int>(history_.size()), 0);
}

void HistoryListView::RowAdded(std::size_t row) {
  // Taken before the count grows: the rows in sight are the whole ones.
  const bool follow =
      FollowsNewLine(static_cast<std::size_t>(std::max(0, ListView_GetTopIndex(list_))),
                     static_cast<std::size_t>(std::max(0, ListView_GetCountPerPage(list_))), row);
  // The rows on screen stay where they are; only the new one is drawn.
  ListView_SetItemCountEx(list_, static_cast<int>(history_.size()),
                          LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  ListView_RedrawItems(list_, static_cast<int>(row), static_cast<int>(row));
  if (follow) ListView_EnsureVisible(list_, static_cast<int>(row), FALSE);
}

void HistoryListView::Cleared() { ListView_SetItemCountEx(list_, 0, 0); }

void HistoryListView::Answer(NMLVDISPINFOW& request) {
  LVITEMW& item = request.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= history_.size()) return;
  const std::wstring line = Widen(history_.Line(static_cast<std::size_t>(item.iItem)));
  lstrcpynW(item.pszText, line.c_str(), item.cchTextMax);
}

}  // namespace quorvane::win32
