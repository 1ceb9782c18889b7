#include "app/frmAcceso.h"
#include "app/Apariencia.h"
#include "data/DB_Dll.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Control de Acceso"));
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowIcon(iconoPrograma());
    auto* v = new QVBoxLayout(this);
    auto* marco = new QGroupBox(QStringLiteral("Complete los datos de conexion"), this);
    marco->setObjectName(QStringLiteral("framAcceso"));
    auto* f = new QFormLayout(marco);
    auto campo = [&](const char* nombre, const char* etiqueta, const char* ayuda) {
        auto* t = new QLineEdit(marco);
        t->setObjectName(QString::fromLatin1(nombre));
        t->setToolTip(QString::fromUtf8(ayuda));
        t->installEventFilter(this);
        f->addRow(QString::fromUtf8(etiqueta), t);
        return t;
    };
    CboPlataformaDB = new QComboBox(marco);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE"), QStringLiteral("SQLite (archivo local)"),
                               QStringLiteral("PostgreSQL")});
    f->addRow(QStringLiteral("&Plataforma"), CboPlataformaDB);
    TxtServidor = campo("TxtServidor", "&Servidor", "ingrese el nombre del servidor e instancia");
    TxtPuerto = campo("TxtPuerto", "P&uerto", "Ingrese el Puerto ");
    TxtPuerto->setText(QStringLiteral("1433"));
    TxtDbName = campo("TxtDbName", "&Base de datos", "ingrese el nombre de la base de datos");
    TxtUserId = campo("TxtUserId", "U&suario", "Ingrese el nombre de usuario");
    TxtUserPassword = campo("TxtUserPassword", "&Contraseña", "Ingrese la contraseña");
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    v->addWidget(marco);
    v->addWidget(new QLabel(QStringLiteral("Conexiones registradas"), this));
    lstBases = new QListWidget(this);
    lstBases->setObjectName(QStringLiteral("lstBases"));
    v->addWidget(lstBases, 1);
    auto* b = new QHBoxLayout;
    bcAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    bcCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    CmdRegistrar = new QPushButton(QStringLiteral("Registrar"), this);
    CmdLineaComando = new QPushButton(QStringLiteral("Crear Acceso Directo"), this);
    bcAceptar->setDefault(true);
    for (QPushButton* x : {bcAceptar, bcCancelar, CmdRegistrar, CmdLineaComando}) b->addWidget(x);
    v->addLayout(b);

    connect(bcAceptar, &QPushButton::clicked, this, [this] {
        Aceptar = true;
        hide();
        accept();
    });
    connect(bcCancelar, &QPushButton::clicked, this, [this] {
        Aceptar = false;
        hide();
        reject();
    });
    connect(CmdRegistrar, &QPushButton::clicked, this, &frmAcceso::CmdRegistrar_Click);
    connect(CmdLineaComando, &QPushButton::clicked, this, [this] {
        const QString r = CmdLineaComando_Click();
        if (!r.isEmpty()) MsgBox(QStringLiteral("Se creó el acceso directo ") + r, vb::Information, QStringLiteral("Atencion"));
    });
    connect(lstBases, &QListWidget::currentTextChanged, this, [this] { AsignarDatosBase(); });
    connect(lstBases, &QListWidget::itemDoubleClicked, this, [this] {
        AsignarDatosBase();
        bcAceptar->click();
    });
    for (QLineEdit* t : {TxtDbName, TxtServidor, TxtUserPassword})
        connect(t, &QLineEdit::textChanged, this, [this, t] { MensajeInicial(t); });
    connect(CboPlataformaDB, &QComboBox::currentIndexChanged, this, [this](int i) {
        // The platform decides what the server field holds.
        TxtPuerto->setEnabled(i == 0);
        if (i == 2) TxtServidor->setText(QStringLiteral("sqlite"));
        if (i == 3 && !valor(TxtServidor).startsWith(QStringLiteral("PG\\"), Qt::CaseInsensitive))
            TxtServidor->setText(QStringLiteral("PG\\") + valor(TxtServidor));
    });

    resize(460, 480);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->availableGeometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
    llenarlist();
    for (QLineEdit* t : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor}) MensajeInicial(t);
}

QString frmAcceso::pista(const QString& c) {
    if (c == QLatin1String("TxtUserId")) return QStringLiteral("Ingrese el usuario");
    if (c == QLatin1String("TxtDbName")) return QStringLiteral("ingrese el nombre de la base de datos");
    if (c == QLatin1String("TxtServidor")) return QStringLiteral("ingrese el nombre del servidor e instancia");
    return {};
}

QString frmAcceso::valor(QLineEdit* t) const {
    const QString p = pista(t->objectName());
    return (!p.isEmpty() && t->text() == p) ? QString() : t->text();
}

void frmAcceso::MensajeInicial(QLineEdit* t) {
    if (poniendoPista_) return;
    const QString p = pista(t->objectName());
    if (p.isEmpty()) return;
    const QString actual = vbtext::Trim(t->text());
    if (!actual.isEmpty() && actual != p) {
        t->setStyleSheet(QString());
        return;
    }
    poniendoPista_ = true;
    // The hint stands selected in the field, so that typing replaces it.
    t->setText(p);
    t->setStyleSheet(QStringLiteral("color: #808080;"));
    t->setSelection(0, int(vbtext::Trim(t->text()).size()));
    poniendoPista_ = false;
}

bool frmAcceso::eventFilter(QObject* o, QEvent* e) {
    if (o == TxtUserId && e->type() == QEvent::FocusIn) MensajeInicial(TxtUserId);
    if (e->type() == QEvent::FocusIn)
        if (auto* t = qobject_cast<QLineEdit*>(o); t && t->text() == pista(t->objectName()) && !pista(t->objectName()).isEmpty())
            QMetaObject::invokeMethod(t, [t] { t->selectAll(); }, Qt::QueuedConnection);
    return QDialog::eventFilter(o, e);
}

void frmAcceso::llenarlist() {
    archivo_ = ArchivoBases();
    const TrapReport report = [](const VbError& e) { return ReportaError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("FormLoad")); };
    runTrapped(report, {[&] {
        lstBases->clear();
        if (!QFile::exists(archivo_)) return;
        for (const BaseRegistrada& b : LeerBases(archivo_)) lstBases->addItem(b.nombre);
        if (lstBases->count() > 0) lstBases->setCurrentRow(0);
    }});
}

bool frmAcceso::DatosBase(const QString& nombre) {
    for (const BaseRegistrada& b : LeerBases(archivo_))
        if (vbtext::Trim(b.nombre) == vbtext::Trim(nombre)) {
            leida_ = b;
            return true;
        }
    return false;
}

void frmAcceso::AsignarDatosBase() {
    if (!lstBases->currentItem() || !DatosBase(lstBases->currentItem()->text())) return;
    QString servidor = leida_.servidor;
    const int p = servidor.indexOf(u':');
    if (p >= 0) {
        puertoLeido_ = servidor.mid(p + 1);
        servidor = vbtext::Trim(servidor.left(p)).toUpper();
    }
    TxtServidor->setText(servidor);
    TxtUserId->setText(QString());
    TxtUserPassword->setText(QString());
    TxtDbName->setText(leida_.base);
    if (!puertoLeido_.isEmpty()) TxtPuerto->setText(puertoLeido_);
}

bool frmAcceso::ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario, const QString& Password,
                                  const QString& Proveedor) {
    DB_Dll& db = DB();
    bool ok = true;
    runTrapped(trap::skipAll, {
        [&] {
            if (db.gCnn.State() == ado::ad::StateOpen) db.gCnn.Close();
        },
        [&] {
            try {
                db.gCnn.Open(QStringLiteral("PROVIDER=") + Proveedor + QStringLiteral(";Server=") + Servidor + QStringLiteral(";Database =") +
                             Dbname + QStringLiteral(";UId=") + Usuario + QStringLiteral(";Pwd=") + Password + QStringLiteral(";"));
            } catch (const VbError&) {
                ok = false;
                throw;
            }
        },
        [&] {
            if (ok) db.gCnn.Close();
        },
    });
    return ok;
}

void frmAcceso::CmdRegistrar_Click() {
    DB_Dll& db = DB();
    QString clave = vbtext::Trim(valor(TxtServidor)).toUpper();
    if (clave.contains(u':')) clave = clave.left(clave.indexOf(u':'));
    const QString nombre = vbtext::Trim(valor(TxtDbName)).toUpper() + QStringLiteral(" / ") + clave;
    if (DatosBase(nombre)) {
        MsgBox(QStringLiteral("La conexion que intenta registrar ya existe "), vb::Information, QStringLiteral("Atencion"));
        return;
    }
    for (QLineEdit* t : {TxtServidor, TxtUserId, TxtUserPassword, TxtDbName}) t->setText(vbtext::Trim(t->text()));
    const QString servidor = valor(TxtServidor), base = valor(TxtDbName);
    const auto registrar = [&] {
        // A read-only program folder, a full disk or a quote in a name: say so
        // rather than let the clerk believe the connection was kept.
        if (!AgregarBase(archivo_, {NombreRegistro(base, servidor), base, base, base, servidor}))
            MsgBox(QStringLiteral("No se pudo registrar la conexión en %1: la carpeta del programa no admite escritura "
                                  "o un dato contiene comillas dobles.").arg(archivo_),
                   vb::OKOnly | vb::Exclamation, QStringLiteral("Atencion"));
    };
    // The database's own name is tried as its user and password first.
    if (ExisteBaseDeDatos(servidor, base.toUpper(), base.toUpper(), base.toUpper(), QStringLiteral("SQLOLEDB"))) {
        registrar();
    } else {
        if (db.gCnn.State() == ado::ad::StateOpen) db.gCnn.Close();
        db.gServidor = servidor;
        db.gUsuario = valor(TxtUserId);
        db.gUserPassWord = TxtUserPassword->text();
        db.gDBName = base;
        db.OpenServerADODB(false, 3, QString(), true, true);
        if (!db.gOpenFlag) {
            MsgBox(QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR ") + servidor + QStringLiteral(" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"),
                   vb::Information, QStringLiteral("AVISO AL OPERADOR"));
            return;
        }
        registrar();
    }
    const QString odbc = Utilidades().AddBackslash(programFolder()) + QStringLiteral("ODBC.exe");
    if (QFile::exists(odbc))
        QProcess::startDetached(odbc, {QStringLiteral("Server=") + servidor + QStringLiteral(";DB=") + db.gDBName + u';'});
    if (db.gCnn.State() == ado::ad::StateOpen) db.gCnn.Close();
    llenarlist();
}

QString frmAcceso::CmdLineaComando_Click() {
    const QString escritorio = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (escritorio.isEmpty()) return {};
    QDir().mkpath(escritorio);
    const QString carpeta = Utilidades().AddBackslash(programFolder());
    const QString icono = carpeta + QStringLiteral("valmore.png");
    if (!QFile::exists(icono)) iconoPrograma().pixmap(64, 64).save(icono, "PNG");
    const QString ruta = escritorio + QStringLiteral("/Varentis.desktop");
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    f.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Varentis\nComment=Agrupación de cuentas\nExec=\"%1\"\nIcon=%2\nTerminal=false\n")
                .arg(carpeta + exeName(), icono)
                .toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return ruta;
}

bool frmAcceso::EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto) {
    QProcess p;
    p.startCommand(Archivo);
    if (!p.waitForStarted(10000)) {
        ErrDevuelto = QStringLiteral("Error al ejecutar el comando");
        return false;
    }
    while (!p.waitForFinished(100)) QApplication::processEvents();
    return true;
}

void FormularioAcceso::mostrar(DatosConexion& d) {
    frmAcceso f(QApplication::activeWindow());
    if (!d.TxtDbName.isEmpty()) f.TxtDbName->setText(d.TxtDbName);
    if (!d.TxtServidor.isEmpty()) f.TxtServidor->setText(d.TxtServidor);
    if (!d.TxtUserId.isEmpty()) f.TxtUserId->setText(d.TxtUserId);
    f.TxtUserPassword->setText(d.TxtUserPassword);
    f.CboPlataformaDB->setCurrentIndex(0);
    f.exec();
    d.Aceptar = f.Aceptar;
    d.TxtDbName = f.valor(f.TxtDbName);
    d.TxtServidor = f.valor(f.TxtServidor);
    d.TxtUserId = f.valor(f.TxtUserId);
    d.TxtUserPassword = f.TxtUserPassword->text();
    d.TxtPuerto = f.TxtPuerto->text();
    d.CboPlataformaDB = f.CboPlataformaDB->currentIndex();
}
