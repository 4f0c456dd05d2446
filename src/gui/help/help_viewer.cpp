#include "gui/help/help_viewer.h"

#include "gui/app/icons.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>

namespace corvane::gui {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpViewer");
    setWindowTitle("Corvane Help");
    setWindowIcon(Icons::ApplicationIcon());
    auto* splitter = new QSplitter(this);
    topicList_ = new QListWidget(splitter);
    topicList_->setObjectName("lbTopics");
    text_ = new QTextBrowser(splitter);
    text_->setObjectName("memText");
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 520});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(760, 460);
    connect(topicList_, &QListWidget::currentRowChanged, this, &HelpViewer::ShowTopic);
}

void HelpViewer::ShowContext(const QString& helpFile, int context) {
    auto loaded = LoadHelpFile(helpFile.toStdString());
    topics_ = loaded ? std::move(*loaded) : std::vector<HelpTopic>{};
    topicList_->blockSignals(true);
    topicList_->clear();
    for (const auto& topic : topics_)
        topicList_->addItem(QString::fromStdString(topic.title));
    topicList_->blockSignals(false);

    const HelpTopic* topic = FindHelpTopic(topics_, context);
    if (!topic) {
        shownContext_ = -1;
        text_->setPlainText(QString("The help file %1 cannot be read.").arg(helpFile));
    } else {
        int row = static_cast<int>(topic - topics_.data());
        topicList_->setCurrentRow(row);
        ShowTopic(row);
    }
    show();
    raise();
    activateWindow();
}

QString HelpViewer::ShownTitle() const {
    int row = topicList_->currentRow();
    return row >= 0 ? topicList_->item(row)->text() : QString();
}

void HelpViewer::ShowTopic(int row) {
    if (row < 0 || row >= static_cast<int>(topics_.size()))
        return;
    const HelpTopic& topic = topics_[static_cast<std::size_t>(row)];
    shownContext_ = topic.contexts.front();
    QString html = "<h3>" + QString::fromStdString(topic.title).toHtmlEscaped() + "</h3>";
    for (const auto& block : HelpBlocks(topic.body)) {
        const QString text = QString::fromStdString(block.text).toHtmlEscaped();
        html += block.preformatted ? "<pre>" + text + "</pre>" : "<p>" + text + "</p>";
    }
    text_->setHtml(html);
}

} // namespace corvane::gui
