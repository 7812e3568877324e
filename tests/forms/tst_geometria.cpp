// The work windows' geometry rule: smallest size, window centred in the main window's area while
// in its normal state, frame centred in the window.
#include "geometria.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

class TestGeometria : public QObject {
    Q_OBJECT
private slots:
    void regola_data()
    {
        QTest::addColumn<QSize>("minimoTwips");
        QTest::addColumn<QSize>("chiesta");  // pixels
        QTest::addColumn<QSize>("attesa");
        QTest::newRow("below the smallest size, chart") << Geometria::MinimoGrafico << QSize(666, 533)
                                                        << QSize(931, 612);
        QTest::newRow("larger than the smallest, settings") << Geometria::MinimoComunicazioni << QSize(900, 700)
                                                            << QSize(900, 700);
    }
    void regola()
    {
        QFETCH(QSize, minimoTwips);
        QFETCH(QSize, chiesta);
        QFETCH(QSize, attesa);
        QMdiArea area;
        area.resize(1400, 1000);
        auto* finestra = new QWidget;
        auto* cornice = new QWidget(finestra);
        cornice->resize(300, 200);
        QMdiSubWindow* sotto = area.addSubWindow(finestra);
        Geometria::RegolaGeometria(finestra, cornice, minimoTwips);
        area.show();
        sotto->showNormal();
        finestra->resize(chiesta);
        QTRY_COMPARE(finestra->size(), attesa);
        // Centred in the area (the frame of the window is what moves) and the frame centred in it.
        QTRY_COMPARE(sotto->pos(), QPoint((area.viewport()->width() - sotto->width()) / 2,
                                          (area.viewport()->height() - sotto->height()) / 2));
        QCOMPARE(cornice->pos(), QPoint((finestra->width() - 300) / 2, (finestra->height() - 200) / 2));

        // Maximized: the window fills the area; only the frame is centred.
        sotto->showMaximized();
        QTRY_VERIFY(sotto->isMaximized());
        QTRY_COMPARE(cornice->pos(), QPoint((finestra->width() - 300) / 2, (finestra->height() - 200) / 2));
    }
};

QTEST_MAIN(TestGeometria)
#include "tst_geometria.moc"
