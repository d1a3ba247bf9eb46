#include "playlist/PlaylistModel.h"

#include "base/FilePaths.h"

#include <QBrush>
#include <QFont>

namespace cantorel {

PlaylistModel::PlaylistModel(QObject* parent) : QAbstractListModel(parent)
{}

bool PlaylistModel::append(const QString& path)
{
    return append(QStringList {path});
}

bool PlaylistModel::append(const QStringList& paths)
{
    QStringList names;
    names.reserve(paths.size());
    for (const QString& p : paths)
        names << existingFileName(p); // one stat each
    return appendNamed(paths, names);
}

bool PlaylistModel::appendNamed(const QStringList& paths, const QStringList& names)
{
    Q_ASSERT(paths.size() == names.size());
    if (paths.isEmpty())
        return true;
    if (!canAdd(int(paths.size())))
        return false;
    beginInsertRows(QModelIndex(), count(), count() + int(paths.size()) - 1);
    m_paths += paths;
    m_names += names;
    for (qsizetype i = 0; i < paths.size(); ++i)
        m_problems << QString();
    endInsertRows();
    return true;
}

void PlaylistModel::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_paths.removeAt(row);
    m_names.removeAt(row);
    m_problems.removeAt(row);
    endRemoveRows();
}

void PlaylistModel::clear()
{
    beginResetModel();
    m_paths.clear();
    m_names.clear();
    m_problems.clear();
    endResetModel();
}

void PlaylistModel::swapWithNext(int row)
{
    if (row < 0 || row + 1 >= count())
        return;
    beginMoveRows(QModelIndex(), row + 1, row + 1, QModelIndex(), row);
    m_paths.swapItemsAt(row, row + 1);
    m_names.swapItemsAt(row, row + 1);
    m_problems.swapItemsAt(row, row + 1);
    endMoveRows();
}

void PlaylistModel::markUnplayable(const QString& path, const QString& reason)
{
    for (int row = 0; row < count(); ++row) {
        if (m_paths[row] != path || m_problems[row] == reason)
            continue;
        m_problems[row] = reason;
        const QModelIndex at = index(row);
        Q_EMIT dataChanged(at, at, {Qt::ToolTipRole, Qt::ForegroundRole, Qt::FontRole});
    }
}

int PlaylistModel::findContaining(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_names[i].contains(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

int PlaylistModel::findNamed(const QString& name) const
{
    return int(m_names.indexOf(name));
}

int PlaylistModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole)
        return m_names[index.row()];
    const QString& problem = m_problems[index.row()];
    if (role == Qt::ToolTipRole)
        return problem.isEmpty() ? m_paths[index.row()] : problem + u'\n' + m_paths[index.row()];
    if (problem.isEmpty())
        return {};
    if (role == Qt::ForegroundRole)
        return QBrush(Qt::gray);
    if (role == Qt::FontRole) {
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    return {};
}

} // namespace cantorel
