#pragma once
#include <QDateTime>
#include <QString>

// The suite's fixed date and time patterns, in VB's Format notation.
QString FormatoFechaHora();   // "dd/mm/yy hh:mm"
QString FormatoFecha();       // "dd/mm/yy"
QString FormatoHora();        // "hh:mm"
// A moment written with such a pattern ("mm" after "hh" is minutes).
QString FormatearVB(const QDateTime& momento, const QString& patron);

// Point of sale, number and letter of a voucher: "0001-00000123A".
QString FormatoNroComprobante(const QString& puntoVenta, const QString& numero, const QString& letra);

// The server name within a server text: what follows the first "/", cut before
// the first ":" ("NODO/SRV01:1433" gives "SRV01").
QString ExtraeServidor(const QString& servidor);
