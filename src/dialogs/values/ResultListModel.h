#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of the values dialog's result list. A scan over a wide axis at a fine precision can
// report millions of lines (one per flat scan point), so they are kept as one block of text with
// the end of every line, and turned into display text only when a line is shown.
class CResultListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CResultListModel)

public:
    explicit CResultListModel(QObject* parent = nullptr);
    ~CResultListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Lines hold Windows-1252 bytes, as the scans write them.
    void Append(const std::vector<std::string>& lines);
    void Clear();

    int LineCount() const { return static_cast<int>(m_ends.size()); }
    QString Line(int row) const;
    // Every line followed by carriage return and line feed, the empty ones included.
    QString CrLfText() const;

private:
    std::string_view LineBytes(std::size_t row) const;

    std::string m_text;
    std::vector<std::size_t> m_ends;
};
