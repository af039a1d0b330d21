#include "core/catalogue/designation_key.h"

namespace {

// Lower-case Latin letters and the Cyrillic ones they look like.
QChar CyrillicTwin(QChar c)
{
    switch (c.unicode()) {
    case u'a': return QChar(u'а');
    case u'b': return QChar(u'в');
    case u'c': return QChar(u'с');
    case u'e': return QChar(u'е');
    case u'h': return QChar(u'н');
    case u'k': return QChar(u'к');
    case u'm': return QChar(u'м');
    case u'o': return QChar(u'о');
    case u'p': return QChar(u'р');
    case u't': return QChar(u'т');
    case u'x': return QChar(u'х');
    case u'y': return QChar(u'у');
    default: return c;
    }
}

} // namespace

QString DesignationKey(const QString &designation)
{
    const QString simple = designation.simplified().toLower();
    QString key;
    key.reserve(simple.size());
    for (const QChar c : simple)
        key += c == QChar(u'ё') ? QChar(u'е') : CyrillicTwin(c);
    return key;
}
