#include "data/DB_Dll.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"

QString SentenciaAddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                          const ado::Variant& ValorDefault) {
    const QString nulos = PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
    const QString defecto = ValorDefault.isEmpty() ? QString()
                                                   : QStringLiteral(" CONSTRAINT DF_") + vbtext::Trim(Tabla) + u'_' +
                                                         vbtext::Trim(Campo) + QStringLiteral(" DEFAULT (") + ValorDefault.toText() + u')';
    return QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo + u' ' + Tipo + nulos + defecto;
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    bool existe = false;
    ado::Recordset rs;
    const TrapReport report = [this](const VbError& e) {
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("VerificaCampos"));
    };
    const bool ok = runTrapped(report, {
        [&] { gCnn.OpenSchema(ado::ad::SchemaTables, rs); },
        [&] {
            if (rs.State() != ado::ad::StateOpen || rs.Bof()) return;
            for (; !rs.Eof(); rs.MoveNext())
                if (vbtext::Equals(vbtext::Trim(rs[QStringLiteral("TABLE_NAME")].toText()), vbtext::Trim(Tabla))) {
                    existe = true;
                    break;
                }
        },
    });
    return ok && existe;
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo) {
    // The Oracle catalogue is not read: every column is taken as present.
    if (vbtext::Contains(DB().gProveedor, QStringLiteral("ORACLE"))) return true;
    bool existe = false;
    ado::Recordset rs;
    const TrapReport report = [this](const VbError& e) {
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("VerificaCampos"));
    };
    const bool ok = runTrapped(report, {
        [&] { gCnn.OpenSchema(ado::ad::SchemaColumns, rs, vbtext::Trim(Tabla)); },
        [&] {
            if (rs.State() != ado::ad::StateOpen) return;
            for (; !rs.Eof(); rs.MoveNext())
                if (vbtext::Equals(vbtext::Trim(rs[QStringLiteral("COLUMN_NAME")].toText()), vbtext::Trim(Campo))) {
                    existe = true;
                    break;
                }
        },
    });
    return ok && existe;
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const ado::Variant& ValorDefault) {
    QString sql;
    const TrapReport report = [this](const VbError& e) {
        return TratamientoErrores(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("errAddField"));
    };
    runTrapped(report, {
        [&] { sql = SentenciaAddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault); },
        [&] {
            long n = 0;
            EjecutaConsultaSQL(sql, n, nullptr);
        },
    });
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                        const ado::Variant& ValorDefault) {
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar) AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
