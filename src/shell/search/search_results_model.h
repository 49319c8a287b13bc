#pragma once
// The results of a log search as a flat list: a header row per day with its
// count ("yyyy-mm-dd (N件)"), the day's results in their channel's colour
// (time, channel and text: the day is the header's),
// and a row for each day that was skipped with the reason. It lists at most a
// bounded number of results, however many a search finds; past that it only
// counts them.

#include <QAbstractListModel>
#include <QColor>

#include <cstdint>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/search/log_day.h"
#include "core/text/units.h"

namespace ruv {

enum class ResultRowKind { Day, Result, Skipped };

struct ResultRow {
    ResultRowKind kind = ResultRowKind::Result;
    CivilDate day;
    std::string text;  // CP932: the row shown, or the reason a day was skipped
    Colour colour;
    std::int64_t dayResults = 0;  // Day: the day's results found so far
    ByteOffset lineStart;         // Result: where its line starts in the day's file
    std::string copied;           // Result: CP932, the line コピー puts on the clipboard
};

// About 200 bytes a row: some 20 MB of results at most.
inline constexpr std::int64_t kMaxListedResults = 100'000;

class SearchResultsModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit SearchResultsModel(QObject* parent = nullptr,
                                std::int64_t maxListed = kMaxListedResults)
        : QAbstractListModel(parent), maxListed_(maxListed) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void clear();
    // Results of a day in file order, each with its row and the line コピー
    // takes; the day's header comes before its first result.
    // Results past the bound are counted in the day's header, not listed.
    void appendResults(CivilDate day, std::vector<ResultRow> results);
    // Results found but not even handed over, as the bound was reached.
    void countUnlisted(CivilDate day, std::int64_t results);
    void appendSkipped(CivilDate day, std::string reason);

    const ResultRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    // The CP932 lines コピー takes of the result rows among these rows, in list order.
    std::vector<std::string> resultLines(std::vector<int> rows) const;
    // Every result found, listed or not.
    std::int64_t resultCount() const { return listed_ + unlisted_; }
    std::int64_t listedCount() const { return listed_; }
    std::int64_t unlistedCount() const { return unlisted_; }
    std::int64_t maxListed() const { return maxListed_; }

  private:
    void headerChanged();

    std::int64_t maxListed_;
    std::vector<ResultRow> rows_;
    int currentDayHeader_ = -1;
    std::int64_t listed_ = 0;
    std::int64_t unlisted_ = 0;
};

}  // namespace ruv
