#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <utility>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace quorl {

// The sections of an HTML manual: each second- and third-level heading with an
// id, as (id, heading text), in document order.
std::vector<std::pair<QString, QString>> helpSections(const QString& html);

// The picture the manual names at `file` (a local path), as a window drawing
// `ratio` device pixels per pixel in a dark or light palette shows it sharp and at
// its size: "name-dark.png" in the dark, "name@2x.png" from a ratio above 1 with
// its ratio of 2, else the file itself. The page's <picture> and srcset choose
// so in a browser; the help window reads neither.
struct HelpPicture {
    QString file;
    qreal ratio = 1.0;
};
HelpPicture helpPictureFor(const QString& file, qreal ratio, bool dark);

// "Help": the HTML manual in a window of the program's own, so it reads without a
// browser and offline. Contents on the left, the page on the right, Back and
// Forward, a search box that finds the next match, and "Open in Browser" for
// those who prefer theirs.
class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit CHelpViewer(const QString& indexFile, QWidget* parent = nullptr);

    // Shows the section `id` ("trace"), or the top of the manual for an empty id.
    void showSection(const QString& id);

    QTextBrowser* browser() const { return browser_; }
    QListWidget* contents() const { return contents_; }
    QLineEdit* searchBox() const { return search_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* forwardButton() const { return forward_; }
    // Finds the next match of the search box's text, from the top again after the
    // last one; false when the manual holds none.
    bool findNext();

private:
    QUrl index_;
    QTextBrowser* browser_;
    QListWidget* contents_;
    QLineEdit* search_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* openInBrowser_;
};

} // namespace quorl
