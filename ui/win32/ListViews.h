#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "window/HistoryStore.h"

namespace quorvane::win32 {

// The one column of a report-mode list view, `width` pixels wide.
void SetColumn(HWND list, const std::wstring& header, int width);
void SetRows(HWND list, const std::vector<std::string>& rows);
// Selects the row (none for -1) without scrolling to it.
void SelectRow(HWND list, int row);
int SelectedRow(HWND list);
// Shortens a report-mode list that holds rows to whole rows: a row cut in half at
// the bottom edge reads as a list that ends there. The list keeps its top, and a
// list already of whole rows is left as it is.
void FitWholeRows(HWND list);

// The history list as a virtual list view over the history store: the list holds
// no text of its own and asks for the rows it draws, so a long run costs the list
// nothing per row.
class HistoryListView : public HistoryStore::Observer {
 public:
  explicit HistoryListView(HistoryStore& history) : history_(history) {}
  ~HistoryListView() override;
  HistoryListView(const HistoryListView&) = delete;
  HistoryListView& operator=(const HistoryListView&) = delete;

  void Attach(HWND list);

  void RowAdded(std::size_t row) override;
  void Cleared() override;
  // Answers LVN_GETDISPINFOW with the text of the row.
  void Answer(NMLVDISPINFOW& request);

 private:
  HistoryStore& history_;
  HWND list_ = nullptr;
};

}  // namespace quorvane::win32
