#include "app/about_dialog.h"

#include "app/app_texts.h"
#include "app/toolbar_icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace quorl {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QString::fromUtf8(texts::kAboutTitle));
    auto* icon = new QLabel(this);
    icon->setPixmap(toolbarIcon(ToolbarIcon::Application).pixmap(32, 30));
    auto* product = new QLabel(QString::fromUtf8(texts::kAboutProduct), this);
    product->setObjectName(QStringLiteral("aboutProduct"));
    auto* version = new QLabel(QString::fromUtf8(texts::kAboutVersion), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    // The release line keeps its historic form; the version the programs' --version
    // gives stands beside it, so both name the same build.
    auto* build = new QLabel(QString::fromUtf8(texts::kAboutBuild), this);
    build->setObjectName(QStringLiteral("aboutBuild"));
    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(version);
    text->addWidget(build);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setLayout(layout);
}

} // namespace quorl
