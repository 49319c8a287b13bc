#pragma once
// The results of a log search as a flat list: a header row per day with its
// count ("yyyy-mm-dd (N件)"), the day's results in their channel's colour,
// and a row for each day that was skipped with the reason.

#include <QAbstractListModel>
#include <QColor>

#include <cstdint>
#include <string>
#include <vector>

#include "core/log/chat_format.h"
#include "core/search/log_day.h"

namespace ruv {

enum class ResultRowKind { Day, Result, Skipped };

struct ResultRow {
    ResultRowKind kind = ResultRowKind::Result;
    CivilDate day;
    std::string text;  // CP932: the result's line, or the reason a day was skipped
    Colour colour;
    std::int64_t count = 0;  // Day: the day's results so far; Result: its index in the day
};

class SearchResultsModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void clear();
    // Results of a day in file order, each with its line as the command line
    // prints it; the day's header comes before its first result.
    void appendResults(CivilDate day, std::vector<ResultRow> results);
    void appendSkipped(CivilDate day, std::string reason);

    const ResultRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    // The CP932 lines of the result rows among these rows, in list order.
    std::vector<std::string> resultLines(std::vector<int> rows) const;
    std::int64_t resultCount() const { return results_; }

  private:
    std::vector<ResultRow> rows_;
    int currentDayHeader_ = -1;
    std::int64_t results_ = 0;
};

}  // namespace ruv
