#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QUrl;
class QWindow;

namespace korvel {

// The instructions window: shows an RTF file in a read-only viewer that fills
// the window. The main window creates it on first use and calls Apri; closing
// hides it, and the main window makes a new one for the next Apri.
class frmIstruzioni : public QWidget {
    Q_OBJECT

public:
    explicit frmIstruzioni(QWidget* parent = nullptr);

    // Stores the file name, titles the window " " + Titolo, shows it and loads
    // the file.
    void Apri(const QString& NFileIstruzioni, const QString& Titolo);

    // The file that a load with `name` reads: `name` in the current folder,
    // else beside the program, else in the installed data folder; empty when
    // none of them has it.
    static QString ResolveFile(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    // Reloads the file when the window becomes active coming from another
    // window of this program; a return from another application does not count.
    void onFocusWindowChanged(QWindow* now);
    // Opens web and mail links in the desktop's programs and scrolls to the
    // document's own bookmarks; any other link does nothing.
    void followLink(const QUrl& link);

private:
    void centre();
    void layoutViewer();
    void load();
    void showExplanation(const QString& line);

    QString NFileIstruzioni_;
    QTextBrowser* rtfIstruzioni;
    bool previousWasOtherOwnWindow_ = false;
    bool activationLoadDone_ = false;
    bool loading_ = false;
};

} // namespace korvel
