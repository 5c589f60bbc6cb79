#include "desktop/SettingsPage.h"

#include "desktop/Text.h"

namespace fennimar::desktop {
namespace {

// Colours the notice with roles of the desktop's palette, so that it reads
// in light and dark themes alike: a problem like a tooltip (a note apart
// from the page), information like the alternate rows of a list.
void Tint(QLabel& notice, QPalette::ColorRole background, QPalette::ColorRole text) {
  notice.setBackgroundRole(background);
  notice.setForegroundRole(text);
}

}  // namespace

SettingsPage::SettingsPage(Settings& settings, const QString& title, const QString& summary,
                           QWidget* parent)
    : QWidget(parent), settings_(settings), title_(title) {
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("<h2>%1</h2>").arg(title.toHtmlEscaped()), this);
  auto* explanation = new QLabel(summary, this);
  explanation->setWordWrap(true);
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("notice"));
  notice_->setWordWrap(true);
  notice_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  notice_->setFocusPolicy(Qt::TabFocus);
  notice_->setAutoFillBackground(true);
  notice_->setFrameShape(QFrame::StyledPanel);
  notice_->setMargin(6);
  notice_->setAccessibleName(tr("Message"));
  notice_->hide();
  body_ = new QVBoxLayout;
  layout->addWidget(heading);
  layout->addWidget(explanation);
  layout->addWidget(notice_);
  layout->addLayout(body_, 1);
}

QString SettingsPage::notice() const { return notice_->isVisible() ? notice_->text() : QString(); }

void SettingsPage::ShowProblem(const QString& text, From from) {
  from_ = from;
  Tint(*notice_, QPalette::ToolTipBase, QPalette::ToolTipText);
  notice_->setText(text);
  notice_->show();
}

void SettingsPage::ShowInfo(const QString& text) {
  from_ = From::kAction;
  Tint(*notice_, QPalette::AlternateBase, QPalette::Text);
  notice_->setText(text);
  notice_->show();
}

void SettingsPage::LoadOk() {
  if (from_ == From::kLoad) ClearNotice();
}

void SettingsPage::ClearNotice() {
  notice_->clear();
  notice_->hide();
}

void SettingsPage::ShowSectionProblem(const QString& section, const QString& what,
                                      _Fennimar_ReturnCode_ code, From from) {
  const QString document = settings_.paths().document;
  if (!settings_.DocumentLoaded()) {
    ShowProblem(tr("The settings document %1 could not be loaded (%2), so %3 cannot be shown "
                   "or changed. Repair it in a text editor, or move it away: a fresh copy of the "
                   "template takes its place when the window reloads (F5).")
                    .arg(document, CodeName(code), what),
                from);
    return;
  }
  ShowProblem(tr("The settings document %1 has no %2 section (%3), so %4 cannot be shown or "
                 "changed. Add an empty <%2/> element under the document's root element, or "
                 "move the document away to start again from the template.")
                  .arg(document, section, CodeName(code), what),
              from);
}

}  // namespace fennimar::desktop
