#pragma once
#include <QWidget>

#include <vector>

#include "core/app/help_file.h"

class QListWidget;
class QTextBrowser;

namespace corvane::gui {

// A small window that shows one page of the help file, with the list of all
// pages beside it. It stays open beside the program, like a help window does.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Reads the file afresh and shows the page for context.
    void ShowContext(const QString& helpFile, int context);
    // The context of the page shown, or -1.
    int ShownContext() const { return shownContext_; }
    QString ShownTitle() const;

  private:
    void ShowTopic(int row);

    QListWidget* topicList_;
    QTextBrowser* text_;
    std::vector<HelpTopic> topics_;
    int shownContext_ = -1;
};

} // namespace corvane::gui
