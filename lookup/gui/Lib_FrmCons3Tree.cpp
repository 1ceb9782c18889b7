#include "lookup/gui/Lib_FrmCons3Tree.h"
#include "data/DB_Dll.h"
#include "lookup/gui/Lib_FrmCons3.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
int reporte(const VbError& e, const char* rutina) { return ReportaError(e, vb::AbortRetryIgnore | vb::Critical, QString::fromLatin1(rutina)); }

const QString kFamilias = QStringLiteral(
    "SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia FROM @Admin_v_ta_familias a  "
    " Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < Len(LTrim(RTrim(b.IdFamilia)))) "
    " ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia");
}

RespuestaConsulta MostrarConsultaArbol(const PedidoConsulta& p) {
    Lib_FrmCons3Tree d(p, QApplication::activeWindow());
    d.exec();
    return d.respuesta();
}

RespuestaConsulta MostrarConsulta(const PedidoConsulta& p) { return p.TreeView ? MostrarConsultaArbol(p) : MostrarConsultaLista(p); }

Lib_FrmCons3Tree::Lib_FrmCons3Tree(const PedidoConsulta& pedido, QWidget* parent) : QDialog(parent), p_(pedido), sql_(pedido.sql) {
    setWindowTitle(QStringLiteral("Consulta..."));
    auto* v = new QVBoxLayout(this);
    caja_ = new QComboBox(this);
    caja_->setEditable(true);
    caja_->setInsertPolicy(QComboBox::NoInsert);
    caja_->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    caja_->installEventFilter(this);
    caja_->lineEdit()->installEventFilter(this);
    connect(caja_, &QComboBox::editTextChanged, this, &Lib_FrmCons3Tree::busquedaInstantanea);
    v->addWidget(caja_);
    arbol_ = new QTreeWidget(this);
    arbol_->setObjectName(QStringLiteral("TreeV"));
    arbol_->setHeaderHidden(true);
    arbol_->setUniformRowHeights(true);
    v->addWidget(arbol_, 1);
    auto* b = new QHBoxLayout;
    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* nueva = new QPushButton(QStringLiteral("&Nueva Busqueda"), this);
    for (QPushButton* x : {aceptar, cancelar, nueva}) {
        x->setAutoDefault(false);
        b->addWidget(x);
    }
    b->addStretch(1);
    v->addLayout(b);
    connect(aceptar, &QPushButton::clicked, this, &Lib_FrmCons3Tree::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &Lib_FrmCons3Tree::Cancelar);
    connect(nueva, &QPushButton::clicked, this, &Lib_FrmCons3Tree::Cargar);
    connect(arbol_, &QTreeWidget::itemDoubleClicked, this, &Lib_FrmCons3Tree::Aceptar);
    connect(arbol_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* it, int) {
        if (!propagando_ && p_.CheckBoxes) {
            propagando_ = true;
            propagar(it, it->checkState(0), 6);
            propagando_ = false;
        }
    });
    resize(520, 520);
    Cargar();
}

void Lib_FrmCons3Tree::iniciarArbol() {
    arbol_->clear();
    nodos_.clear();
    auto* raiz = new QTreeWidgetItem(arbol_, {QStringLiteral("Consulta...")});
    raiz->setData(0, Qt::UserRole, QStringLiteral("A"));
    if (p_.CheckBoxes) raiz->setCheckState(0, Qt::Unchecked);
    nodos_.insert(QStringLiteral("A"), raiz);
    raiz->setExpanded(true);
}

void Lib_FrmCons3Tree::Cargar() {
    respuesta_.Valores = QStringList();
    const TrapReport report = [](const VbError& e) { return reporte(e, "FORM_LOAD"); };
    runTrapped(report, {[&] {
        if (vbtext::Contains(sql_, QStringLiteral("v_ta_familias"))) ArmarTreeVFamilias();
        else ArmarTreeVAutomatico();
    }});
}

QString Lib_FrmCons3Tree::codigoDe(const QTreeWidgetItem* it) { return it->data(0, Qt::UserRole).toString().mid(1); }

void Lib_FrmCons3Tree::recorrer(ado::Recordset& rs, bool familias) {
    if (rs.State() != ado::ad::StateOpen || rs.Bof()) return;
    const ZtUtil& u = Utilidades();
    QTreeWidgetItem* actual = nodos_.value(QStringLiteral("A"));
    propagando_ = true;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString codigo = u.NullToText(rs.Fields(0).Value());
        const QString clave = u'A' + codigo;
        // Step up while the row's key is shorter than the current node's.
        while (actual->parent() && clave.size() < actual->data(0, Qt::UserRole).toString().size()) actual = actual->parent();
        QTreeWidgetItem* padre = nodos_.value(QStringLiteral("A"));
        if (familias) {
            const ado::Variant rel = rs.Fields(2).Value();
            if (!rel.isNull()) padre = nodos_.value((u'A' + rel.toText()).toUpper(), padre);
        } else {
            int mejor = 0;
            for (auto it = nodos_.cbegin(); it != nodos_.cend(); ++it)
                if (it.key().size() > mejor && it.key().size() < clave.size() && clave.toUpper().startsWith(it.key()) && it.key() != QLatin1String("A")) {
                    mejor = int(it.key().size());
                    padre = it.value();
                }
        }
        auto* n = new QTreeWidgetItem(padre, {codigo + QStringLiteral(" - ") + u.NullToText(rs.FieldCount() > 1 ? rs.Fields(1).Value() : ado::Variant())});
        n->setData(0, Qt::UserRole, clave);
        if (p_.CheckBoxes) n->setCheckState(0, Qt::Unchecked);
        nodos_.insert(clave.toUpper(), n);
        actual = n;
    }
    propagando_ = false;
}

void Lib_FrmCons3Tree::ArmarTreeVFamilias() {
    ado::Recordset rs;
    const TrapReport report = [](const VbError& e) { return reporte(e, "ArmarTreeVFamilias"); };
    runTrapped(report, {
        [&] { iniciarArbol(); },
        [&] {
            sql_ = kFamilias;
            DB().AbrirRecordset(sql_, rs);
        },
        [&] { recorrer(rs, true); },
        [&] { DB().CierraRecordset(rs); },
    });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
    ado::Recordset rs;
    const TrapReport report = [](const VbError& e) { return reporte(e, "ArmarTreeVAutomatico"); };
    runTrapped(report, {
        [&] { iniciarArbol(); },
        [&] { DB().AbrirRecordset(sql_, rs); },
        [&] { recorrer(rs, false); },
        [&] { DB().CierraRecordset(rs); },
    });
}

void Lib_FrmCons3Tree::busquedaInstantanea() {
    const QString t = vbtext::Trim(caja_->currentText());
    for (QTreeWidgetItemIterator it(arbol_); *it; ++it) {
        const QString texto = (*it)->text(0);
        const int guion = texto.indexOf(u'-');
        const QString codigo = vbtext::Trim(guion < 0 ? texto : texto.left(guion));
        const QString desc = vbtext::Trim(guion < 0 ? QString() : texto.mid(guion + 1));
        if (codigo.startsWith(t, Qt::CaseInsensitive) || desc.startsWith(t, Qt::CaseInsensitive)) {
            arbol_->setCurrentItem(*it);
            arbol_->scrollToItem(*it);
            return;
        }
    }
}

void Lib_FrmCons3Tree::NuevaConsulta() {
    caja_->setProperty("Tag", QStringLiteral("Descripcion"));
    QString cola, base = sql_;
    if (vbtext::Contains(sql_, QStringLiteral("order"))) {
        const int p = vbtext::InStr(sql_, QStringLiteral("order by"));
        if (p > 0) {
            cola = sql_.mid(p - 1);
            base = sql_.left(p - 1);
        }
    }
    sql_ = base + (vbtext::Contains(sql_, QStringLiteral("where")) ? QStringLiteral(" and ") : QStringLiteral(" where ")) +
           QStringLiteral("Descripcion like '%") + entreComillas(caja_->currentText()) + QStringLiteral("%' ") + cola;
    const QSignalBlocker b(caja_);
    caja_->setEditText(QString());
    Cargar();
}

void Lib_FrmCons3Tree::propagar(QTreeWidgetItem* it, Qt::CheckState estado, int niveles) {
    if (niveles <= 0) return;
    for (int i = 0; i < it->childCount(); ++i) {
        it->child(i)->setCheckState(0, estado);
        propagar(it->child(i), estado, niveles - 1);
    }
}

void Lib_FrmCons3Tree::Aceptar() {
    DB_Dll& db = DB();
    const ZtUtil& u = Utilidades();
    const QString campo = p_.CampoDevuelto;
    const auto buscar = [&](const QString& tabla, const QString& columna, const QString& codigo, QString& valor) {
        ado::Recordset rs;
        if (!db.ExisteEnTabla(tabla, codigo, columna, &rs)) return false;
        valor = u.NullToText(rs[campo]);
        return true;
    };
    const TrapReport report = [](const VbError& e) { return reporte(e, "CmdAceptar"); };
    runTrapped(report, {[&] {
        if (p_.CheckBoxes) {
            QStringList valores;
            for (QTreeWidgetItemIterator it(arbol_); *it; ++it) {
                if ((*it)->checkState(0) != Qt::Checked) continue;
                const QString codigo = codigoDe(*it);
                if (vbtext::Equals(campo, QStringLiteral("IDFAMILIA")) || vbtext::Equals(campo, QStringLiteral("CODIGO"))) {
                    valores << vbtext::Trim(codigo);
                } else if (vbtext::Equals(campo, QStringLiteral("IDPOSICION"))) {
                    QString v;
                    if (buscar(QStringLiteral("MA_POSICIONES"), QStringLiteral("IDPOSICION"), codigo, v)) valores << v;
                }
            }
            respuesta_.Valores = valores;
            return;
        }
        const QTreeWidgetItem* sel = arbol_->currentItem();
        if (!sel) return;
        const QString codigo = codigoDe(sel);
        QString v;
        if (vbtext::Equals(campo, QStringLiteral("IDFAMILIA"))) {
            respuesta_.ValorDevuelto = buscar(QStringLiteral("@admin_V_TA_FAMILIAS"), QStringLiteral("IDFAMILIA"), codigo, v) ? v : QString();
        } else if (vbtext::Equals(campo, QStringLiteral("IDPOSICION"))) {
            respuesta_.ValorDevuelto = buscar(QStringLiteral("MA_POSICIONES"), QStringLiteral("IDPOSICION"), codigo, v) ? v : QString();
        } else if (vbtext::Equals(campo, QStringLiteral("CODIGO"))) {
            if (buscar(QStringLiteral("TA_CCOSTO"), QStringLiteral("CODIGO"), codigo, v) ||
                buscar(QStringLiteral("MA_CUENTAS"), QStringLiteral("CODIGO"), codigo, v))
                respuesta_.ValorDevuelto = v;
            else
                respuesta_.ValorDevuelto = QString();
        }
    }});
    accept();
}

void Lib_FrmCons3Tree::Cancelar() { reject(); }

void Lib_FrmCons3Tree::reject() {
    respuesta_.ValorDevuelto = QString();
    respuesta_.Valores.reset();
    QDialog::reject();
}

bool Lib_FrmCons3Tree::eventFilter(QObject* o, QEvent* e) {
    if ((o == caja_ || o == caja_->lineEdit()) && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F5) {
            runTrapped(trap::skipAll, {[&] { NuevaConsulta(); }});
            return true;
        }
        if (k->key() == Qt::Key_Down || k->key() == Qt::Key_Up || k->key() == Qt::Key_PageDown || k->key() == Qt::Key_PageUp) {
            arbol_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
