#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The note editor ("Notes"): created hidden at start-up and reused for every
// edit. It edits the caption of the sidebar's note label, which is the only
// place the note lives while the program runs.
class NodesForm : public QDialog
{
    Q_OBJECT
public:
    explicit NodesForm(QWidget* parent = nullptr);

    // Makes a click on nodeLabel open the editor on its caption.
    void attachNote(QLabel* nodeLabel);

    // Shows the editor modally on nodeLabel's caption; returns at once.
    void NodeLabelClick(QLabel* nodeLabel);
    // Puts the edited text, line breaks made blanks, on the note label and closes.
    void SaveClick();
    // Closes without touching the note.
    void CloseFormClick();

    // The memo's text as the one-line note: every CR and every LF becomes one blank.
    static QString noteFromMemo(const QString& memoText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    QPointer<QLabel> m_nodeLabel;
};
