#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// One record of the query mask file: fixed 1202 bytes, Windows-1252 text
// left-aligned and padded with blanks, ended by CR LF.
struct MascaraConsulta {
    QString TituloMascara;   // 100 bytes
    QString VistaMascara;    // 100
    QString CamposMascara;   // 500
    QString FiltroMascara;   // 500

    static constexpr int kLargo = 1202;
    QByteArray aBytes() const;
    static MascaraConsulta deBytes(const QByteArray& registro);
};

// The records of a mask file in order; a short last record is read padded
// with blanks. nothing when the file cannot be read.
std::optional<std::vector<MascaraConsulta>> LeerMascaras(const QString& archivo);
// Appends records at record (length / 1202) + 1, as the suite's programs do.
bool AgregarMascaras(const QString& archivo, const std::vector<MascaraConsulta>& registros);
// The eleven default records.
std::vector<MascaraConsulta> MascarasPorDefecto();
