#include "ui/AppTitle.h"

namespace quorvane {

QString AppTitleFor(const QString& product_name) {
  QString title = product_name;
  do {
    const qsizetype blank = title.lastIndexOf(QLatin1Char(' '));
    if (blank < 0) break;  // nothing left to cut: the remaining word is the title
    title.truncate(blank);
  } while (title.size() > 40);
  return title;
}

}  // namespace quorvane
