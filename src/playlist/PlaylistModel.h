#pragma once
// The songs of the playlist, in order: each entry is a full path and the
// name shown for it. The name is the file's name as the file system reports
// it when the entry is added, or "" when no ordinary file is there then (the
// entry shows as a blank line, its path is kept all the same).
//
// At most kCapacity entries; an add that would pass it is refused as a
// whole and leaves the list as it was.
#include <QAbstractListModel>
#include <QStringList>

namespace cantorel {

class PlaylistModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kCapacity = 32761;

    explicit PlaylistModel(QObject* parent = nullptr);

    int count() const { return int(m_paths.size()); }
    QString path(int row) const { return m_paths.value(row); }
    QString displayName(int row) const { return m_names.value(row); }
    QStringList paths() const { return m_paths; }
    bool canAdd(int entries) const { return count() + entries <= kCapacity; }

    // Appends one entry (or all of `paths`); false, with nothing added, when
    // they would not fit.
    bool append(const QString& path);
    bool append(const QStringList& paths);
    // Appends with a name already known (a folder scan reports the name as
    // it enumerated it).
    bool appendNamed(const QStringList& paths, const QStringList& names);

    void remove(int row);
    void clear();
    // Exchanges entries `row` and `row + 1`.
    void swapWithNext(int row);

    // Marks every entry of `path` as one that could not be played, `reason`
    // saying why: such an entry shows greyed and in italics, and its tooltip
    // gives the reason above the path. An empty reason takes the mark off.
    // A mark moves with its entry.
    void markUnplayable(const QString& path, const QString& reason);
    QString unplayableReason(int row) const { return m_problems.value(row); }

    // The first entry from the top whose name contains `text`, ignoring
    // case; -1 when none does.
    int findContaining(const QString& text) const;
    // The first entry whose name equals `name` exactly; -1 when none does.
    int findNamed(const QString& name) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_paths;
    QStringList m_names;
    QStringList m_problems; // why an entry could not be played, or ""
};

} // namespace cantorel
