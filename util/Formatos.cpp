#include "util/Formatos.h"

QString ExtraeServidor(const QString& servidor) {
    QString s = servidor;
    const int slash = s.indexOf(u'/');
    if (slash >= 0) s = s.mid(slash + 1);
    const int colon = s.indexOf(u':');
    if (colon >= 0) s = s.left(colon);
    return s;
}
