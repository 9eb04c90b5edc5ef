#include "widgets/help_viewer.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quorl {

std::vector<std::pair<QString, QString>> helpSections(const QString& html) {
    static const QRegularExpression heading(
        QStringLiteral(R"re(<h([23])\s+id="([^"]+)"\s*>(.*?)</h\1>)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    std::vector<std::pair<QString, QString>> out;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(3);
        text.remove(tag);
        QTextDocument entities; // &amp; and friends, as the page shows them
        entities.setHtml(text);
        text = entities.toPlainText().simplified();
        if (m.captured(1) == QLatin1String("3"))
            text.prepend(QStringLiteral("    "));
        out.emplace_back(m.captured(2), text);
    }
    return out;
}

HelpPicture helpPictureFor(const QString& file, qreal ratio, bool dark) {
    const QFileInfo info(file);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName();
    const QString suffix = QLatin1Char('.') + info.suffix();
    if (dark && QFileInfo::exists(stem + QStringLiteral("-dark") + suffix))
        return {stem + QStringLiteral("-dark") + suffix, 1.0};
    if (ratio > 1.0 && QFileInfo::exists(stem + QStringLiteral("@2x") + suffix))
        return {stem + QStringLiteral("@2x") + suffix, 2.0};
    return {file, 1.0};
}

namespace {

// The manual's page, its pictures chosen for the screen and the palette.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = source().resolved(name);
        if (type == QTextDocument::ImageResource && url.isLocalFile()) {
            const bool dark = palette().color(QPalette::Base).lightness() < 128;
            const HelpPicture picture =
                helpPictureFor(url.toLocalFile(), devicePixelRatioF(), dark);
            QImage image(picture.file);
            if (!image.isNull()) {
                image.setDevicePixelRatio(picture.ratio);
                return image;
            }
        }
        return QTextBrowser::loadResource(type, name);
    }
};

} // namespace

CHelpViewer::CHelpViewer(const QString& indexFile, QWidget* parent)
    : QWidget(parent, Qt::Window), index_(QUrl::fromLocalFile(indexFile)) {
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Tessaly VI Quorl Help"));
    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("helpPage"));
    browser_->setAccessibleName(QStringLiteral("Manual"));
    // Links to other sites go to the browser; the manual's own stay here.
    browser_->setOpenExternalLinks(true);
    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setAccessibleName(QStringLiteral("Contents"));
    back_ = new QPushButton(QStringLiteral("&Back"), this);
    forward_ = new QPushButton(QStringLiteral("&Forward"), this);
    openInBrowser_ = new QPushButton(QStringLiteral("Open in Bro&wser"), this);
    back_->setObjectName(QStringLiteral("helpBack"));
    forward_->setObjectName(QStringLiteral("helpForward"));
    openInBrowser_->setObjectName(QStringLiteral("helpOpenInBrowser"));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("helpSearch"));
    search_->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    searchLabel->setBuddy(search_);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addSpacing(12);
    bar->addWidget(searchLabel);
    bar->addWidget(search_, 1);
    bar->addWidget(openInBrowser_);
    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(openInBrowser_, &QPushButton::clicked, this, [this] {
        QUrl url = index_;
        url.setFragment(browser_->source().fragment());
        QDesktopServices::openUrl(url);
    });
    connect(search_, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showSection(contents_->item(row)->data(Qt::UserRole).toString());
    });

    QFile file(indexFile);
    if (file.open(QIODevice::ReadOnly))
        for (const auto& [id, text] : helpSections(QString::fromUtf8(file.readAll()))) {
            auto* item = new QListWidgetItem(text, contents_);
            item->setData(Qt::UserRole, id);
        }
    contents_->setMinimumWidth(contents_->sizeHintForColumn(0) + 24);
    browser_->setSource(index_);
    resize(980, 700);
}

void CHelpViewer::showSection(const QString& id) {
    QUrl url = index_;
    if (!id.isEmpty())
        url.setFragment(id);
    if (browser_->source() != url)
        browser_->setSource(url);
    else if (!id.isEmpty())
        browser_->scrollToAnchor(id);
}

bool CHelpViewer::findNext() {
    const QString text = search_->text();
    if (text.isEmpty())
        return false;
    if (browser_->find(text))
        return true;
    // Past the last match: once more from the top.
    QTextCursor top = browser_->textCursor();
    top.movePosition(QTextCursor::Start);
    browser_->setTextCursor(top);
    return browser_->find(text);
}

} // namespace quorl
