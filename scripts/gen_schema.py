#!/usr/bin/env python3
"""Writes the database definitions and the demo data of every engine from one
description, so that SQLite, PostgreSQL and SQL Server hold the same tables.

    python3 scripts/gen_schema.py      (rewrites the files under schema/)
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "schema")

# (name, type, not_null, default). Types: vcN (text of at most N), int, money,
# datetime, text, ident (identity key).
def c(name, typ, nn=False, default=None):
    return (name, typ, nn, default)

TABLES = [
    ("TA_AGRUPCUENTAS", [c("IDAGRUPACION", "vc4", True), c("Descripcion", "vc50")], ["IDAGRUPACION"]),
    ("TA_AGRUPCUENTAS_DETALLE", [c("IDAGRUPACION", "vc4", True), c("Cuenta", "vc25", True)], ["IDAGRUPACION", "Cuenta"]),
    ("MA_CUENTAS", [c("Codigo", "vc25", True), c("DESCRIPCION", "vc100"), c("TITULO", "int", True, "0"),
                    c("DADA_DE_BAJA", "int", True, "0"), c("BLOQUEO", "int", True, "0"), c("BIENES", "int", True, "0"),
                    c("Ajuste", "int", True, "0"), c("CONFIDENCIAL", "int", True, "0")], ["Codigo"]),
    ("MA_CUENTASADIC", [c("Codigo", "vc25", True), c("Observaciones", "vc255")], ["Codigo"]),
    ("TA_USUARIOS", [c("Nombre", "vc50", True), c("Administrador", "int", True, "0"), c("UNegocio", "vc4"),
                     c("verproforma", "int", True, "0")], ["Nombre"]),
    ("TA_CONFIGURACION", [c("CLAVE", "vc50", True), c("VALOR", "vc255"), c("ValorAux", "vc255"), c("Grupo", "vc50"),
                          c("PoliticaNegocio", "int", True, "0")], ["CLAVE"]),
    ("TA_CAJAS", [c("IdCajas", "vc4", True), c("Descripcion", "vc50")], ["IdCajas"]),
    ("TA_TAREAS", [c("USUARIO", "vc50", True), c("TAREA", "vc20", True)], ["USUARIO", "TAREA"]),
    ("TA_MENU", [c("Clave", "vc20", True), c("Proceso", "vc100"), c("Nombre", "vc100")], ["Clave"]),
    ("Control_Acceso", [c("Id", "ident"), c("Maquina", "vc50"), c("Usuario", "vc50"), c("Formulario", "vc100"),
                        c("Tarea", "vc100"), c("Ingreso", "vc20"), c("NombreUsuario", "vc50")], ["Id"]),
    ("AUX_ERR", [c("Id", "ident"), c("Proceso", "vc50"), c("Fecha", "vc20"), c("Error", "int"), c("Descripcion", "vc250"),
                 c("sql", "text"), c("PC", "vc50"), c("Usuario", "vc50")], ["Id"]),
    ("MV_ASIENTOS", [c("ID", "ident"), c("PERIODO", "vc4"), c("MES_OPERATIVO", "int"), c("NUMERO ASIENTO", "int"),
                     c("TIPO_REG", "vc10"), c("FECHA", "datetime"), c("TC", "vc4"), c("SUCURSAL", "vc4"),
                     c("NUMERO", "vc8"), c("LETRA", "vc1"), c("CUENTA", "vc25"), c("CABCUENTA", "vc25"),
                     c("Cabimporte", "money"), c("Importe", "money"), c("Detalle", "vc100"), c("DEBE-HABER", "vc1"),
                     c("ESRESUMEN", "int", True, "0"), c("EsAjuste", "int", True, "0"), c("Ajuste_Hasta", "vc10")], ["ID"]),
    ("MV_EJERCICIOS", [c("PERIODO", "int", True), c("Fecha Desde", "datetime"), c("fecha hasta", "datetime"),
                       c("Cerrado", "int", True, "0"), c("Cancelacion", "int", True, "0"), c("Cierre", "int", True, "0")],
     ["PERIODO"]),
    ("TA_COMPROBANTES", [c("CODIGO", "vc4", True), c("Descripcion", "vc50"), c("Letras", "vc10")]
     + [c(f"{l}_{k}", "int", True, "0") for l in "ABCXEMR" for k in ("ULTIMO_NRO", "NRO_DESDE", "NRO_HASTA")]
     + [c("ModificaNumeracion", "vc10")], ["CODIGO"]),
    ("TA_CPTE", [c("CODIGO", "vc4", True), c("UNEGOCIO", "vc4", True), c("TALONARIO", "int", True)]
     + [c(f"{l}_{k}", "int", True, "0") for l in "ABCXEMR" for k in ("SUC_DEFAULT", "ULTIMO_NRO")],
     ["CODIGO", "UNEGOCIO", "TALONARIO"]),
    ("MA_SUBDIARIOSCOMPROBANTES", [c("TC", "vc4", True), c("SUBDIARIO", "vc10", True)], ["TC", "SUBDIARIO"]),
    ("MV_CONTROL_AS_RES", [c("SUBDIARIO", "vc10", True), c("ID", "int", True), c("PERIODO", "int", True),
                           c("Fecha_Desde", "datetime"), c("Fecha_Hasta", "datetime"), c("Anulado", "int", True, "0")],
     ["SUBDIARIO", "ID", "PERIODO"]),
    ("AUX_SUBDIARIOS", [c("Id", "ident"), c("Usuario", "vc50"), c("Periodo", "int"), c("Mes_Operativo", "int"),
                        c("numero asiento", "int"), c("Fecha", "vc20"), c("TC", "vc4"), c("Sucursal", "vc4"),
                        c("Numero", "vc8"), c("letra", "vc1"), c("Cabimporte", "money"), c("Concepto", "vc100"),
                        c("cuenta_D", "vc25"), c("descripcion_D", "vc100"), c("importe_D", "money"),
                        c("cuenta_H", "vc25"), c("descripcion_H", "vc100"), c("importe_H", "money")], ["Id"]),
    ("MA_BIENES", [c("CODIGO", "int", True), c("Descripcion", "vc100")], ["CODIGO"]),
    ("MA_BIENES_novedades", [c("ID", "int", True), c("CODIGO", "int", True), c("Descripcion", "vc100")], ["ID", "CODIGO"]),
    ("TA_DEPOSITO", [c("IdDeposito", "vc4", True), c("Descripcion", "vc50"), c("UnidadNegocio", "vc4")], ["IdDeposito"]),
    ("TA_FAMILIAS", [c("IdFamilia", "vc10", True), c("Descripcion", "vc50")], ["IdFamilia"]),
    ("AC_CUENTASDIARIO", [c("Codigo", "vc25", True), c("Descripcion", "vc100")], ["Codigo"]),
    ("AC_CUENTASDIARIO_CCOSTO", [c("Codigo", "vc25", True), c("Descripcion", "vc100")], ["Codigo"]),
    ("TA_CCOSTO", [c("CODIGO", "vc25", True), c("Descripcion", "vc100")], ["CODIGO"]),
    ("MA_POSICIONES", [c("IDPOSICION", "vc25", True), c("Descripcion", "vc100")], ["IDPOSICION"]),
    ("MV_FALTANTES", [c("Id", "ident"), c("FechaHora", "vc20"), c("IdArticulo", "vc25"), c("Descripcion", "vc100"),
                      c("Usuario", "vc50")], ["Id"]),
]

STATS_TABLES = ["TA_CONFIGURACION"]

# Views: name -> SELECT (written with plain names; quoted per engine below).
VIEWS = [
    ("V_TA_Cajas", "SELECT IdCajas, Descripcion FROM TA_CAJAS"),
    ("SS_V_TA_CAJAS", "SELECT IdCajas, Descripcion FROM TA_CAJAS"),
    ("SS_MA_CUENTAS", "SELECT * FROM MA_CUENTAS WHERE CONFIDENCIAL = 0"),
    ("SS_MV_ASIENTOS", "SELECT * FROM MV_ASIENTOS WHERE CUENTA NOT IN (SELECT Codigo FROM MA_CUENTAS WHERE CONFIDENCIAL = 1)"),
    ("V_TA_CPTE", "SELECT * FROM TA_CPTE"),
    ("V_TA_DEPOSITO", "SELECT IdDeposito, Descripcion, UnidadNegocio FROM TA_DEPOSITO"),
    ("SS_V_TA_DEPOSITO", "SELECT IdDeposito, Descripcion, UnidadNegocio FROM TA_DEPOSITO"),
    ("V_TA_FAMILIAS", "SELECT IdFamilia, Descripcion FROM TA_FAMILIAS"),
    ("SS_V_TA_FAMILIAS", "SELECT IdFamilia, Descripcion FROM TA_FAMILIAS"),
    ("SS_AC_CUENTASDIARIO", "SELECT * FROM AC_CUENTASDIARIO"),
    ("SS_AC_CUENTAS_DIARIO_CCOSTO", "SELECT * FROM AC_CUENTASDIARIO_CCOSTO"),
    ("V_MV_FALTANTES", "SELECT Id, FechaHora, IdArticulo, Descripcion, Usuario FROM MV_FALTANTES"),
]
# Views that take inserts, with the table and columns behind them.
INSERTABLE = {"V_TA_Cajas": ("TA_CAJAS", ["IdCajas", "Descripcion"]),
              "V_MV_FALTANTES": ("MV_FALTANTES", ["FechaHora", "IdArticulo", "Descripcion", "Usuario"])}

SIZES = sorted({int(t[2:]) for _, cols, _ in TABLES for (_, t, _, _) in cols if t.startswith("vc")})

HEADER = "-- Written by scripts/gen_schema.py; edit the script, not this file.\n"


def q_sqlite(n):
    return '"' + n + '"'


def q_pg(n):
    n = n.lower()
    return '"' + n + '"' if (" " in n or "-" in n) else n


def q_ms(n):
    return "[" + n + "]"


def col_sqlite(name, typ, nn, default):
    qn = q_sqlite(name)
    if typ == "ident":
        return f"{qn} INTEGER PRIMARY KEY AUTOINCREMENT"
    if typ.startswith("vc"):
        n = int(typ[2:])
        # SQLite does not enforce VARCHAR(n); the check stands in for it.
        s = f"{qn} VARCHAR({n}) COLLATE NOCASE CHECK(length({qn}) <= {n})"
    else:
        s = qn + " " + {"int": "INTEGER", "money": "NUMERIC(19,4)", "datetime": "DATETIME", "text": "TEXT"}[typ]
    if nn:
        s += " NOT NULL"
    if default is not None:
        s += f" DEFAULT {default}"
    return s


def col_pg(name, typ, nn, default):
    qn = q_pg(name)
    if typ == "ident":
        return f"{qn} INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"
    if typ.startswith("vc"):
        s = f"{qn} {typ}"
    else:
        s = qn + " " + {"int": "INTEGER", "money": "NUMERIC(19,4)", "datetime": "TIMESTAMP", "text": "TEXT"}[typ]
    if nn:
        s += " NOT NULL"
    if default is not None:
        s += f" DEFAULT {default}"
    return s


def col_ms(name, typ, nn, default):
    qn = q_ms(name)
    if typ == "ident":
        return f"{qn} INT IDENTITY(1,1) PRIMARY KEY"
    if typ.startswith("vc"):
        s = f"{qn} VARCHAR({typ[2:]})"
    else:
        s = qn + " " + {"int": "INT", "money": "MONEY", "datetime": "DATETIME", "text": "VARCHAR(MAX)"}[typ]
    s += " NOT NULL" if nn else " NULL"
    if default is not None:
        s += f" DEFAULT {default}"
    return s


def ddl(engine, tables):
    col = {"sqlite": col_sqlite, "pg": col_pg, "ms": col_ms}[engine]
    q = {"sqlite": q_sqlite, "pg": q_pg, "ms": q_ms}[engine]
    out = [HEADER]
    if engine == "pg":
        out.append("CREATE EXTENSION IF NOT EXISTS citext;\n")
        out.append("-- Text keys compare without regard to case, as under SQL Server's default collation;\n"
                   "-- the domain's check stands in for VARCHAR(n).\n")
        for n in SIZES:
            out.append(f"CREATE DOMAIN vc{n} AS citext CHECK (length(VALUE) <= {n});\n")
    for name, cols, pk in tables:
        lines = [col(*cc) for cc in cols]
        if not any(cc[1] == "ident" for cc in cols):
            lines.append("PRIMARY KEY (" + ", ".join(q(k) for k in pk) + ")")
        tname = q(name) if engine != "pg" else name.lower()
        out.append(f"CREATE TABLE {tname} (\n  " + ",\n  ".join(lines) + "\n);\n")
    return out


def views(engine):
    q = {"sqlite": q_sqlite, "pg": q_pg, "ms": q_ms}[engine]
    out = []
    for name, sel in VIEWS:
        vname = name.lower() if engine == "pg" else q(name)
        out.append(f"CREATE VIEW {vname} AS {sel};\n" if engine != "ms" else f"CREATE VIEW {vname} AS {sel};\nGO\n")
    if engine == "sqlite":
        # SQLite views take no inserts of their own.
        for view, (table, cols) in INSERTABLE.items():
            colist = ", ".join(q_sqlite(c) for c in cols)
            vals = ", ".join("NEW." + q_sqlite(c) for c in cols)
            out.append(f'CREATE TRIGGER "{view}_insert" INSTEAD OF INSERT ON "{view}" BEGIN '
                       f'INSERT INTO "{table}" ({colist}) VALUES ({vals}); END;\n')
    return out


# ---------------------------------------------------------------- demo data

def accounts():
    rows = []  # (code, description, titulo)
    def add(code, desc, titulo=0):
        rows.append((code, desc, titulo))
    chart = [
        ("1", "ACTIVO", [
            ("11", "ACTIVO CORRIENTE", [
                ("1101", "CAJA Y BANCOS", ["Caja", "Caja chica", "Fondo fijo sucursal Centro", "Fondo fijo sucursal Norte"]
                 + [f"Banco {b} cuenta corriente" for b in ("Nación", "Provincia", "Galicia", "Santander", "Macro", "Credicoop")]
                 + [f"Banco {b} caja de ahorro" for b in ("Nación", "Provincia", "Galicia")] + ["Valores a depositar", "Cheques diferidos en cartera"]),
                ("1102", "INVERSIONES TEMPORARIAS", ["Plazo fijo en pesos", "Plazo fijo en dólares", "Fondos comunes de inversión", "Títulos públicos"]),
                ("1103", "CRÉDITOS POR VENTAS", ["Deudores por ventas", "Documentos a cobrar", "Tarjetas de crédito a cobrar", "Deudores morosos", "Deudores en gestión judicial", "Previsión para deudores incobrables"]
                 + [f"Deudores por ventas - cliente {i:03d}" for i in range(1, 61)]),
                ("1104", "OTROS CRÉDITOS", ["Anticipos al personal", "IVA crédito fiscal", "Retenciones de IVA sufridas", "Percepciones de IVA sufridas", "Anticipos de ganancias", "Retenciones de ingresos brutos", "Seguros pagados por adelantado", "Alquileres pagados por adelantado"]),
                ("1105", "BIENES DE CAMBIO", ["Mercaderías de reventa", "Materias primas", "Productos en proceso", "Productos terminados", "Mercaderías en tránsito", "Anticipos a proveedores"]),
            ]),
            ("12", "ACTIVO NO CORRIENTE", [
                ("1201", "BIENES DE USO", ["Inmuebles", "Rodados", "Muebles y útiles", "Instalaciones", "Equipos de computación", "Maquinarias", "Herramientas",
                                           "Amortización acumulada inmuebles", "Amortización acumulada rodados", "Amortización acumulada muebles y útiles", "Amortización acumulada equipos de computación"]),
                ("1202", "ACTIVOS INTANGIBLES", ["Marcas y patentes", "Software", "Llave de negocio"]),
            ]),
        ]),
        ("2", "PASIVO", [
            ("21", "PASIVO CORRIENTE", [
                ("2101", "DEUDAS COMERCIALES", ["Proveedores", "Documentos a pagar", "Acreedores varios"] + [f"Proveedores - proveedor {i:03d}" for i in range(1, 41)]),
                ("2102", "DEUDAS BANCARIAS", ["Adelantos en cuenta corriente", "Préstamos bancarios", "Tarjetas de crédito corporativas"]),
                ("2103", "DEUDAS SOCIALES", ["Sueldos a pagar", "Cargas sociales a pagar", "Sindicato a pagar", "Obra social a pagar", "Provisión SAC", "Provisión vacaciones"]),
                ("2104", "DEUDAS FISCALES", ["IVA débito fiscal", "IVA a pagar", "Impuesto a las ganancias a pagar", "Ingresos brutos a pagar", "Tasas municipales a pagar", "Retenciones a depositar", "Percepciones a depositar"]),
            ]),
            ("22", "PASIVO NO CORRIENTE", [
                ("2201", "DEUDAS A LARGO PLAZO", ["Préstamos hipotecarios", "Préstamos prendarios", "Leasing a pagar"]),
            ]),
        ]),
        ("3", "PATRIMONIO NETO", [
            ("31", "CAPITAL", [("3101", "CAPITAL SOCIAL", ["Capital suscripto", "Ajuste de capital", "Aportes irrevocables"])]),
            ("32", "RESULTADOS", [("3201", "RESULTADOS ACUMULADOS", ["Reserva legal", "Reserva facultativa", "Resultados no asignados", "Resultado del ejercicio"])]),
        ]),
        ("4", "INGRESOS", [
            ("41", "INGRESOS OPERATIVOS", [
                ("4101", "VENTAS", ["Ventas de mercaderías", "Ventas de servicios", "Ventas al exterior", "Devoluciones sobre ventas", "Bonificaciones sobre ventas"]
                 + [f"Ventas zona {z}" for z in ("Centro", "Norte", "Sur", "Oeste", "Este", "Litoral", "Cuyo", "Patagonia")]),
                ("4102", "OTROS INGRESOS OPERATIVOS", ["Comisiones ganadas", "Alquileres ganados", "Recupero de gastos"]),
            ]),
            ("42", "INGRESOS FINANCIEROS", [("4201", "RESULTADOS FINANCIEROS POSITIVOS", ["Intereses ganados", "Diferencias de cambio positivas", "Descuentos obtenidos", "Resultado por tenencia"])]),
        ]),
        ("5", "EGRESOS", [
            ("51", "COSTO DE VENTAS", [("5101", "COSTO DE MERCADERÍAS", ["Costo de mercaderías vendidas", "Fletes sobre compras", "Diferencias de inventario"])]),
            ("52", "GASTOS DE ADMINISTRACIÓN", [("5201", "GASTOS DE ADMINISTRACIÓN", ["Sueldos administración", "Cargas sociales administración", "Honorarios profesionales", "Papelería y útiles", "Teléfono e internet", "Energía eléctrica", "Gas", "Agua", "Alquileres pagados", "Seguros", "Mantenimiento de oficinas", "Limpieza", "Gastos bancarios", "Impuestos y tasas", "Amortizaciones bienes de uso", "Movilidad y viáticos", "Correo y mensajería", "Suscripciones", "Software y licencias", "Gastos varios de administración"])]),
            ("53", "GASTOS DE COMERCIALIZACIÓN", [("5301", "GASTOS DE COMERCIALIZACIÓN", ["Sueldos ventas", "Cargas sociales ventas", "Comisiones sobre ventas", "Publicidad y propaganda", "Fletes sobre ventas", "Ingresos brutos", "Deudores incobrables", "Embalajes", "Gastos de exposiciones", "Gastos varios de comercialización"])]),
            ("54", "GASTOS FINANCIEROS", [("5401", "RESULTADOS FINANCIEROS NEGATIVOS", ["Intereses pagados", "Diferencias de cambio negativas", "Descuentos otorgados", "Comisiones bancarias", "Impuesto a los débitos y créditos"])]),
        ]),
    ]

    def walk(nodes):
        for code, desc, children in nodes:
            add(code, desc, 1)
            if children and isinstance(children[0], str):
                for i, name in enumerate(children, 1):
                    add(f"{code}{i:02d}", name, 0)
            else:
                walk(children)
    walk(chart)
    return rows


def lit(v):
    if v is None:
        return "NULL"
    if isinstance(v, (int, float)):
        return str(v)
    return "'" + str(v).replace("'", "''") + "'"


def demo(engine, q, date):
    # One transaction: the rows go in together or not at all, and quickly.
    out = [HEADER, "BEGIN TRANSACTION;\n" if engine == "ms" else "BEGIN;\n"]
    def ins(table, cols, values):
        t = table.lower() if engine == "pg" else q(table)
        out.append(f"INSERT INTO {t} ({', '.join(q(c) for c in cols)}) VALUES ({', '.join(lit(v) for v in values)});\n")
    accs = accounts()
    confidential = {"5201" + "01"}   # administration salaries are restricted to administrators
    for code, desc, tit in accs:
        ins("MA_CUENTAS", ["Codigo", "DESCRIPCION", "TITULO", "CONFIDENCIAL"], [code, desc, tit, 1 if code in confidential else 0])
    for user, admin in (("ADMIN", 1), ("OPERADOR", 0)):
        ins("TA_USUARIOS", ["Nombre", "Administrador", "UNegocio"], [user, admin, "   1"])
    for code, desc in (("   1", "CAJA 1"), ("   2", "CAJA 2 - MOSTRADOR")):
        ins("TA_CAJAS", ["IdCajas", "Descripcion"], [code, desc])
    groups = [("0001", "Disponibilidades", ["110101", "110102", "110105", "110106", "110107"]),
              ("0002", "Gastos de administración", [f"5201{i:02d}" for i in range(1, 21)]),
              ("0003", "Ventas por zona", [f"4101{i:02d}" for i in range(6, 14)])]
    for code, desc, members in groups:
        ins("TA_AGRUPCUENTAS", ["IDAGRUPACION", "Descripcion"], [code, desc])
        for m in members:
            ins("TA_AGRUPCUENTAS_DETALLE", ["IDAGRUPACION", "Cuenta"], [code, m])
    for key, value in (("PERIODO", "2026"), ("SS_CONFIDENCIALIDAD", "SI"), ("Top_Default", "1000"), ("CONDIVAEMPRESA", "1"),
                       ("CONDIVA", "1"), ("THEME", "1"), ("UsaConsultaLike", "SI"), ("TopConsArt", "1000"),
                       ("FECHAOPERDESDE", "01/01/2026"), ("FECHAOPERHASTA", "31/12/2026"), ("ModuloOrdenDeTrabajo", "NO")):
        ins("TA_CONFIGURACION", ["CLAVE", "VALOR"], [key.upper(), value])
    ins("TA_MENU", ["Clave", "Proceso", "Nombre"], ["CONT010", "AGRUPCUENTAS", "Agrupación de cuentas contables"])
    ins("TA_MENU", ["Clave", "Proceso", "Nombre"], ["CONT001", "CN000PR", "Menu Principal"])
    for user in ("ADMIN", "OPERADOR"):
        ins("TA_TAREAS", ["USUARIO", "TAREA"], [user, "CONT010"])
    ins("MV_EJERCICIOS", ["PERIODO", "Fecha Desde", "fecha hasta", "Cerrado", "Cancelacion", "Cierre"], [2025, date(2025, 1, 1), date(2025, 12, 31), 1, 1, 1])
    ins("MV_EJERCICIOS", ["PERIODO", "Fecha Desde", "fecha hasta", "Cerrado", "Cancelacion", "Cierre"], [2026, date(2026, 1, 1), date(2026, 12, 31), 0, 0, 0])
    ins("TA_COMPROBANTES", ["CODIGO", "Descripcion", "Letras", "A_ULTIMO_NRO", "A_NRO_DESDE", "A_NRO_HASTA", "B_ULTIMO_NRO", "B_NRO_DESDE", "B_NRO_HASTA", "ModificaNumeracion"],
        ["  FC", "Factura", "AB", 120, 1, 99999999, 45, 1, 99999999, "FALSO"])
    ins("TA_COMPROBANTES", ["CODIGO", "Descripcion", "Letras", "ModificaNumeracion"], [" FCC", "Factura de compra", "ABC", "VERDADERO"])
    ins("TA_CPTE", ["CODIGO", "UNEGOCIO", "TALONARIO", "A_SUC_DEFAULT", "A_ULTIMO_NRO", "B_SUC_DEFAULT", "B_ULTIMO_NRO"], ["  FC", "   1", 1, 1, 120, 1, 45])
    ins("MA_SUBDIARIOSCOMPROBANTES", ["TC", "SUBDIARIO"], ["FC", "VENTAS"])
    ins("MA_SUBDIARIOSCOMPROBANTES", ["TC", "SUBDIARIO"], ["FCC", "COMPRAS"])
    entries = [
        # (mes, nro, tipo, fecha, tc, suc, numero, letra, cab, lines[(cuenta, importe, dh, detalle)])
        (1, 1, "", date(2026, 1, 2), "", "", "", "", None, [("110101", 150000, "D", "Aporte inicial"), ("310101", 150000, "H", "Aporte inicial")]),
        (1, 2, "VENTAS", date(2026, 1, 15), "FC", "0001", "00000120", "A", 121000,
         [("110301", 121000, "D", "Factura A 0001-00000120"), ("410101", 100000, "H", "Factura A 0001-00000120"), ("210401", 21000, "H", "IVA débito")]),
        (1, 3, "COMPRAS", date(2026, 1, 20), "FCC", "0003", "00004567", "A", 60500,
         [("510101", 50000, "D", "Compra mercaderías"), ("110402", 10500, "D", "IVA crédito"), ("210101", 60500, "H", "Proveedor")]),
        (2, 1, "", date(2026, 2, 28), "", "", "", "", None, [("520101", 80000, "D", "Sueldos febrero"), ("210301", 80000, "H", "Sueldos febrero")]),
    ]
    for mes, nro, tipo, fecha, tc, suc, numero, letra, cab, lines in entries:
        for cuenta, importe, dh, detalle in lines:
            ins("MV_ASIENTOS", ["PERIODO", "MES_OPERATIVO", "NUMERO ASIENTO", "TIPO_REG", "FECHA", "TC", "SUCURSAL", "NUMERO", "LETRA",
                                "CUENTA", "CABCUENTA", "Cabimporte", "Importe", "Detalle", "DEBE-HABER"],
                [str(2026), mes, nro, tipo, fecha, tc, suc, numero, letra, cuenta, "", cab, importe, detalle, dh])
    ins("TA_DEPOSITO", ["IdDeposito", "Descripcion", "UnidadNegocio"], ["   1", "DEPOSITO CENTRAL", "   1"])
    for code, desc in (("01", "ALIMENTOS"), ("0101", "LACTEOS"), ("0102", "PANIFICADOS"), ("02", "LIMPIEZA"), ("0201", "DETERGENTES")):
        ins("TA_FAMILIAS", ["IdFamilia", "Descripcion"], [code, desc])
    out.append("COMMIT TRANSACTION;\n" if engine == "ms" else "COMMIT;\n")
    return out


def stats_demo(engine, q):
    out = [HEADER]
    t = "ta_configuracion" if engine == "pg" else q("TA_CONFIGURACION")
    out.append(f"INSERT INTO {t} ({q('CLAVE')}, {q('VALOR')}, {q('Grupo')}) VALUES ('TIMEOUT', '360', 'BaseDeDatos');\n")
    return out


def write(name, parts):
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(parts))


def main():
    stats = [t for t in TABLES if t[0] in STATS_TABLES]
    iso = lambda y, m, d: f"{y:04d}-{m:02d}-{d:02d} 00:00:00"
    ms = lambda y, m, d: f"{y:04d}{m:02d}{d:02d}"
    write("sqlite.sql", ddl("sqlite", TABLES) + views("sqlite"))
    write("postgres.sql", ddl("pg", TABLES) + views("pg"))
    write("sqlserver.sql", ddl("ms", TABLES) + ["GO\n"] + views("ms"))
    write("estadisticas_sqlite.sql", ddl("sqlite", stats))
    write("estadisticas_postgres.sql", ddl("pg", stats))
    write("estadisticas_sqlserver.sql", ddl("ms", stats))
    write("demo_sqlite.sql", demo("sqlite", q_sqlite, iso))
    write("demo_postgres.sql", demo("pg", q_pg, iso))
    write("demo_sqlserver.sql", demo("ms", q_ms, ms))
    write("estadisticas_demo_sqlite.sql", stats_demo("sqlite", q_sqlite))
    write("estadisticas_demo_postgres.sql", stats_demo("pg", q_pg))
    write("estadisticas_demo_sqlserver.sql", stats_demo("ms", q_ms))


if __name__ == "__main__":
    main()
