#pragma once
#include <QString>

// The server name within a server text: what follows the first "/", cut before
// the first ":" ("NODO/SRV01:1433" gives "SRV01").
QString ExtraeServidor(const QString& servidor);
