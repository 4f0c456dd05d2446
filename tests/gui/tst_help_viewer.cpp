#include <QtTest>

#include "core/app/help_file.h"
#include "gui/help/help_viewer.h"

using namespace corvane;
using namespace corvane::gui;

class HelpViewerTest : public QObject {
    Q_OBJECT
  private slots:
    void shippedFileHasEveryContext_data();
    void shippedFileHasEveryContext();
    void missingFileSaysSo();
};

void HelpViewerTest::shippedFileHasEveryContext_data() {
    QTest::addColumn<int>("context");
    for (int context : {1000, 2000, 2500, 3000, 3010, 3100, 3200, 3300, 3400, 4000, 5000, 5100})
        QTest::newRow(QByteArray::number(context).constData()) << context;
}

// Every context the program opens has a page of its own.
void HelpViewerTest::shippedFileHasEveryContext() {
    QFETCH(int, context);
    auto topics = LoadHelpFile(CORVANE_HELP_SOURCE);
    QVERIFY(topics.has_value());
    const HelpTopic* topic = FindHelpTopic(*topics, context);
    QVERIFY(topic);
    QVERIFY(std::count(topic->contexts.begin(), topic->contexts.end(), context) == 1);
    QVERIFY(topic->body.size() > 40);

    HelpViewer viewer;
    viewer.ShowContext(CORVANE_HELP_SOURCE, context);
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.ShownTitle(), QString::fromStdString(topic->title));
}

void HelpViewerTest::missingFileSaysSo() {
    HelpViewer viewer;
    viewer.ShowContext("/nonexistent/corvane.hlp", 1000);
    QCOMPARE(viewer.ShownContext(), -1);
    QVERIFY(viewer.isVisible());
}

QTEST_MAIN(HelpViewerTest)
#include "tst_help_viewer.moc"
