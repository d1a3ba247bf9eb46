#include "follow/FollowChoice.h"

#include "follow/MprisNames.h"

#include <QRegularExpression>

namespace cantorel::follow {

namespace {

// ".instance<digits>" at the end of a bus name, as players that run more
// than once name themselves.
QString withoutInstance(const QString& busName)
{
    static const QRegularExpression instance(QStringLiteral("\\.instance[0-9]+$"));
    QString name = busName;
    name.remove(instance);
    return name;
}

} // namespace

FollowChoice FollowChoice::of(const QString& busName)
{
    QString name = withoutInstance(busName);
    if (name.startsWith(kMprisPrefix))
        name = name.mid(kMprisPrefix.size());
    return named(name);
}

QString FollowChoice::asOption() const
{
    switch (kind) {
    case Kind::None:
        break;
    case Kind::Playing:
        return QStringLiteral("--follow");
    case Kind::Named:
        return QStringLiteral("--follow=") + name;
    }
    return QString();
}

bool FollowChoice::names(const QString& busName) const
{
    return kind == Kind::Named && !name.isEmpty()
           && (busName.endsWith(name) || withoutInstance(busName).endsWith(name));
}

std::optional<FollowChoice> takeFollowOption(QStringList& arguments, QString* error)
{
    static const QString kOption = QStringLiteral("--follow");
    std::optional<FollowChoice> choice;
    for (int i = arguments.size() - 1; i >= 0; --i) {
        const QString& arg = arguments[i];
        if (arg != kOption && !arg.startsWith(kOption + u'='))
            continue;
        const QString name = arg.mid(kOption.size() + 1);
        if (arg != kOption && name.isEmpty()) {
            *error = QStringLiteral("--follow= names no player (--follow=mpv, say, or --follow alone)");
            choice.reset();
        } else if (!choice) {
            // The last one given counts.
            choice = arg == kOption ? FollowChoice::playing() : FollowChoice::named(name);
        }
        arguments.removeAt(i);
    }
    return choice;
}

} // namespace cantorel::follow
