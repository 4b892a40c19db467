#include "dialogs/values/ResultListModel.h"

#include "analysis/ResultText.h"
#include "engine/TextEncoding.h"

#include <algorithm>
#include <limits>

CResultListModel::CResultListModel(QObject* parent) : QAbstractListModel{parent} {}

CResultListModel::~CResultListModel() = default;

int CResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : LineCount();
}

QVariant CResultListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= LineCount()) {
        return {};
    }
    return Line(index.row());
}

void CResultListModel::Append(const std::vector<std::string>& lines)
{
    // A list view counts its rows in int; lines beyond that are not shown.
    const std::size_t room = static_cast<std::size_t>(std::numeric_limits<int>::max()) - m_ends.size();
    const std::size_t count = std::min(lines.size(), room);
    if (count == 0) {
        return;
    }
    const int first = LineCount();
    beginInsertRows({}, first, first + static_cast<int>(count) - 1);
    for (std::size_t i = 0; i < count; ++i) {
        m_text += lines[i];
        m_ends.push_back(m_text.size());
    }
    endInsertRows();
}

void CResultListModel::Clear()
{
    beginResetModel();
    m_text.clear();
    m_text.shrink_to_fit();
    m_ends.clear();
    m_ends.shrink_to_fit();
    endResetModel();
}

std::string_view CResultListModel::LineBytes(std::size_t row) const
{
    const std::size_t begin = row == 0 ? 0 : m_ends[row - 1];
    return std::string_view{m_text}.substr(begin, m_ends[row] - begin);
}

QString CResultListModel::Line(int row) const
{
    if (row < 0 || row >= LineCount()) {
        return {};
    }
    return QString::fromStdString(LineToUtf8(LineBytes(static_cast<std::size_t>(row))));
}

QString CResultListModel::CrLfText() const
{
    std::string text;
    text.reserve(m_text.size() + 2 * m_ends.size());
    for (std::size_t row = 0; row < m_ends.size(); ++row) {
        text += LineBytes(row);
        text += "\r\n";
    }
    return QString::fromStdString(LineToUtf8(text));
}
