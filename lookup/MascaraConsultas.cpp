#include "lookup/MascaraConsultas.h"
#include "util/Cp1252.h"
#include "util/VbText.h"
#include <QFile>

namespace {
QByteArray campo(const QString& s, int largo) {
    QByteArray b = cp1252::encode(s).left(largo);
    b.append(QByteArray(largo - b.size(), ' '));
    return b;
}
}

QByteArray MascaraConsulta::aBytes() const {
    return campo(TituloMascara, 100) + campo(VistaMascara, 100) + campo(CamposMascara, 500) + campo(FiltroMascara, 500) +
           QByteArray("\r\n");
}

MascaraConsulta MascaraConsulta::deBytes(const QByteArray& r) {
    QByteArray b = r.left(kLargo);
    if (b.size() < kLargo) b.append(QByteArray(kLargo - b.size(), ' '));
    return {cp1252::decode(b.mid(0, 100)), cp1252::decode(b.mid(100, 100)), cp1252::decode(b.mid(200, 500)),
            cp1252::decode(b.mid(700, 500))};
}

std::optional<std::vector<MascaraConsulta>> LeerMascaras(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    std::vector<MascaraConsulta> out;
    while (!f.atEnd()) {
        const QByteArray r = f.read(MascaraConsulta::kLargo);
        if (r.isEmpty()) break;
        out.push_back(MascaraConsulta::deBytes(r));
    }
    return out;
}

bool AgregarMascaras(const QString& archivo, const std::vector<MascaraConsulta>& registros) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadWrite)) return false;
    qint64 pos = (f.size() / MascaraConsulta::kLargo) * MascaraConsulta::kLargo;
    for (const MascaraConsulta& m : registros) {
        if (!f.seek(pos)) return false;
        const QByteArray b = m.aBytes();
        if (f.write(b) != b.size()) return false;
        pos += MascaraConsulta::kLargo;
    }
    return true;
}

std::vector<MascaraConsulta> MascarasPorDefecto() {
    const std::tuple<const char*, const char*, const char*> filas[] = {
        {"V_MA_ARTICULOS", "ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
        {"VT_CLIENTES", "CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
        {"VT_PROVEEDORES", "PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
        {"MA_CONTACTOS", "CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
        {"V_TA_VENDEDORES", "VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
        {"V_TA_TECNICOS", "TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"V_MA_MANTENIMIENTOS", "MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
        {"MA_CUENTAS", "CUENTAS", "|DESCRIPCION|CODIGO|"},
        {"V_TA_Tareas  ", "TAREAS", "|Descripcion|IdTarea| "},
        {"V_TA_UnidadNegocio", "UnidadNegocio", "|Descripcion|Codigo|"},
        {"V_TA_DEPOSITO", "DEPOSITO", "|Descripcion|IdDeposito|"},
    };
    std::vector<MascaraConsulta> out;
    for (const auto& [vista, titulo, campos] : filas)
        out.push_back({vbtext::Trim(QString::fromLatin1(titulo)), QString::fromLatin1(vista), vbtext::Trim(QString::fromLatin1(campos)), {}});
    return out;
}
