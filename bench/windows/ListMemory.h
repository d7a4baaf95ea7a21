#pragma once

namespace quorvane::bench {

// Private bytes per line of the history list at a million lines: the real window
// over the history store, its virtual list following the count.
void HistoryListMillionLines(int lines);
// The reference: a plain report-mode list view holding the text of every line,
// each inserted with LVM_INSERTITEMW.
void PlainListView(int lines);

}  // namespace quorvane::bench
