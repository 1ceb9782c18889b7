// The in-memory lists behind the window's accounts and the lookups' rows.
#include "app/ListaCuentas.h"
#include "util/ConjuntoTextos.h"
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ConjuntoTextos, GivesPositionsInOrderAndRefusesRepeats) {
    // Small capacity on purpose: the table has to grow several times.
    ConjuntoTextos c(2);
    const struct { const char* texto; int esperado; } casos[] = {
        {"110101", 0}, {"110102", 1}, {"110101", -1}, {"", 2}, {"", -1}, {"110101 ", 3}, {"ABC", 4}, {"abc", 5}, {"Año", 6},
    };
    for (const auto& k : casos) EXPECT_EQ(c.agregar(QString::fromUtf8(k.texto)), k.esperado) << k.texto;
    EXPECT_EQ(c.size(), 7);
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(c.agregar(QStringLiteral("9%1").arg(i)), 7 + i);
    EXPECT_EQ(c.posicion(QStringLiteral("110102")), 1);
    EXPECT_EQ(c.posicion(QStringLiteral("94999")), 7 + 4999);
    EXPECT_EQ(c.posicion(QStringLiteral("95000")), -1);
    EXPECT_FALSE(c.contiene(QStringLiteral("Abc")));   // exact comparison
    c.clear();
    EXPECT_EQ(c.size(), 0);
    EXPECT_FALSE(c.contiene(QStringLiteral("110101")));
    EXPECT_EQ(c.agregar(QStringLiteral("110101")), 0);
}

TEST(ListaCuentas, LoadsEachCodeOnceAndKeepsTicksWhenAdding) {
    ListaCuentas l;
    l.cargar({{QStringLiteral("2"), QStringLiteral("Dos"), true},
              {QStringLiteral("1"), QStringLiteral("Uno"), true},
              {QStringLiteral("2"), QStringLiteral("Otra"), true}});
    ASSERT_EQ(l.rowCount(), 2);
    EXPECT_EQ(l.data(l.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Dos"));
    EXPECT_EQ(l.fila(QStringLiteral("1")), 1);
    // The view ticks through setData; a code added again keeps its tick.
    EXPECT_TRUE(l.setData(l.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(l.setData(l.index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(l.agregar(QStringLiteral("2"), QStringLiteral("Dos")));
    EXPECT_FALSE(l.at(0).tildada);
    QSignalSpy filas(&l, &QAbstractItemModel::rowsInserted);
    EXPECT_TRUE(l.agregar(QStringLiteral("3"), QStringLiteral("Tres")));
    EXPECT_EQ(filas.count(), 1);
    EXPECT_EQ(l.tildadas(), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    EXPECT_EQ(l.codigos(), (QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3")}));
    EXPECT_TRUE(l.flags(l.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(l.flags(l.index(0, 1)) & Qt::ItemIsUserCheckable);
    l.tildarTodas(true);
    EXPECT_EQ(l.tildadas().size(), 3);
    l.vaciar();
    EXPECT_EQ(l.rowCount(), 0);
    EXPECT_EQ(l.fila(QStringLiteral("1")), -1);
}
