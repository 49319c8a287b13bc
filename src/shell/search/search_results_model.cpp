#include "shell/search/search_results_model.h"

#include <QFont>

#include <algorithm>

#include "shell/platform/qt_text.h"

namespace ruv {

namespace {

QColor qColour(Colour colour) {
    return QColor::fromRgb(colour.rgb);
}

QString dayHeaderText(const ResultRow& row) {
    return QStringLiteral("%1 (%2件)")
        .arg(QString::fromStdString(logDayText(row.day)))
        .arg(row.dayResults);
}

}  // namespace

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ResultRow& shown = row(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return shown.kind == ResultRowKind::Day ? dayHeaderText(shown) : fromCp932(shown.text);
        case Qt::ForegroundRole:
            return shown.kind == ResultRowKind::Result ? qColour(shown.colour) : QColor(Qt::white);
        case Qt::FontRole:
            if (shown.kind == ResultRowKind::Day) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

void SearchResultsModel::clear() {
    beginResetModel();
    rows_.clear();
    currentDayHeader_ = -1;
    listed_ = 0;
    unlisted_ = 0;
    endResetModel();
}

void SearchResultsModel::appendResults(CivilDate day, std::vector<ResultRow> results) {
    const auto room = static_cast<std::size_t>(std::max<std::int64_t>(0, maxListed_ - listed_));
    const std::int64_t unlisted =
        results.size() > room ? static_cast<std::int64_t>(results.size() - room) : 0;
    results.resize(std::min(results.size(), room));
    if (results.empty()) {
        countUnlisted(day, unlisted);
        return;
    }
    const bool newDay = currentDayHeader_ < 0 || row(currentDayHeader_).day != day;
    const auto first = static_cast<int>(rows_.size());
    const auto last = first + static_cast<int>(results.size()) - (newDay ? 0 : 1);
    beginInsertRows(QModelIndex(), first, last);
    if (newDay) {
        currentDayHeader_ = first;
        rows_.push_back({ResultRowKind::Day, day, {}, {}, 0, {}, {}});
    }
    rows_[static_cast<std::size_t>(currentDayHeader_)].dayResults +=
        static_cast<std::int64_t>(results.size()) + unlisted;
    rows_.reserve(rows_.size() + results.size());
    for (ResultRow& result : results) {
        result.kind = ResultRowKind::Result;
        result.day = day;
        rows_.push_back(std::move(result));
    }
    listed_ += static_cast<std::int64_t>(results.size());
    unlisted_ += unlisted;
    endInsertRows();
    if (!newDay) {
        headerChanged();
    }
}

void SearchResultsModel::countUnlisted(CivilDate day, std::int64_t results) {
    if (results <= 0) {
        return;
    }
    unlisted_ += results;
    if (currentDayHeader_ < 0 || row(currentDayHeader_).day != day) {
        const auto at = static_cast<int>(rows_.size());
        beginInsertRows(QModelIndex(), at, at);
        currentDayHeader_ = at;
        rows_.push_back({ResultRowKind::Day, day, {}, {}, results, {}, {}});
        endInsertRows();
        return;
    }
    rows_[static_cast<std::size_t>(currentDayHeader_)].dayResults += results;
    headerChanged();
}

void SearchResultsModel::headerChanged() {
    const QModelIndex changed = index(currentDayHeader_);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void SearchResultsModel::appendSkipped(CivilDate day, std::string reason) {
    const auto at = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), at, at);
    rows_.push_back({ResultRowKind::Skipped, day, std::move(reason), {}, 0, {}, {}});
    endInsertRows();
}

std::vector<std::string> SearchResultsModel::resultLines(std::vector<int> rows) const {
    std::ranges::sort(rows);
    std::vector<std::string> lines;
    for (const int index : rows) {
        if (index >= 0 && index < rowCount() && row(index).kind == ResultRowKind::Result) {
            lines.push_back(row(index).copied);
        }
    }
    return lines;
}

}  // namespace ruv
