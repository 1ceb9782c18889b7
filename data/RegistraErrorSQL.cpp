#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "util/ErrorTrap.h"
#include "util/Formatos.h"
#include "util/ZtUtil.h"
#include "util/ZtWorkstation.h"

void RegistraErrorSQL(const QString& sql, QString& proceso, long numero, const QString& descripcion) {
    if (proceso.isEmpty()) proceso = exeName();
    DB_Dll& db = DB();
    ado::Recordset rs;
    QString sentencia = QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) ");
    // Recording a failure must never raise a failure of its own.
    runTrapped(trap::skipAll, {
        [&] { db.AbrirRecordset(sentencia, rs, nullptr, ado::ad::OpenDynamic, ado::ad::LockOptimistic, -1, true); },
        [&] { rs.AddNew(); },
        [&] { rs.Fields(QStringLiteral("Proceso")).setValue(exeName()); },
        [&] { rs.Fields(QStringLiteral("Fecha")).setValue(FormatearVB(QDateTime::currentDateTime(), FormatoFechaHora())); },
        [&] { rs.Fields(QStringLiteral("Error")).setValue(numero); },
        [&] { rs.Fields(QStringLiteral("Descripcion")).setValue(Utilidades().LimitText(descripcion, 250)); },
        [&] { rs.Fields(QStringLiteral("sql")).setValue(sql); },
        [&] { rs.Fields(QStringLiteral("PC")).setValue(Puesto().ComputerName()); },
        [&] { rs.Fields(QStringLiteral("Usuario")).setValue(db.gUsuario); },
        [&] { rs.Update(); },
        [&] { rs.CancelUpdate(); },
        [&] { db.CierraRecordset(rs); },
    });
}
