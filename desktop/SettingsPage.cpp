#include "desktop/SettingsPage.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <utility>

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
  action_ = new QPushButton(this);
  action_->setObjectName(QStringLiteral("noticeAction"));
  action_->setAccessibleName(tr("Act on the message"));
  action_->hide();
  connect(action_, &QPushButton::clicked, this, [this] {
    const auto action = onAction_;
    ClearNotice();
    if (action) action();
  });
  auto* noticeRow = new QHBoxLayout;
  noticeRow->addWidget(notice_, 1);
  noticeRow->addWidget(action_, 0, Qt::AlignVCenter);
  body_ = new QVBoxLayout;
  layout->addWidget(heading);
  layout->addWidget(explanation);
  layout->addLayout(noticeRow);
  layout->addLayout(body_, 1);
}

QString SettingsPage::notice() const { return notice_->isVisible() ? plain_ : QString(); }

void SettingsPage::SetNotice(const QString& text, const QString& details) {
  plain_ = details.isEmpty() ? text : text + QLatin1Char('\n') + tr("Details: %1").arg(details);
  QString html = QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped());
  if (!details.isEmpty()) {
    html += QStringLiteral("<p><small>%1</small></p>")
                .arg(tr("Details: %1").arg(details).toHtmlEscaped());
  }
  notice_->setText(html);
  notice_->show();
  action_->hide();
  onAction_ = nullptr;
}

void SettingsPage::ShowProblem(const QString& text, From from) { ShowProblem(text, {}, from); }

void SettingsPage::ShowProblem(const QString& text, const QString& details, From from) {
  from_ = from;
  Tint(*notice_, QPalette::ToolTipBase, QPalette::ToolTipText);
  SetNotice(text, details);
}

void SettingsPage::ShowInfo(const QString& text, const QString& actionText,
                            std::function<void()> action) {
  from_ = From::kAction;
  Tint(*notice_, QPalette::AlternateBase, QPalette::Text);
  SetNotice(text, {});
  if (action) {
    action_->setText(actionText);
    action_->setAccessibleName(QString(actionText).remove(QLatin1Char('&')));
    action_->show();
    onAction_ = std::move(action);
  }
}

void SettingsPage::LoadOk() {
  if (from_ == From::kLoad) ClearNotice();
}

void SettingsPage::ClearNotice() {
  notice_->clear();
  notice_->hide();
  plain_.clear();
  action_->hide();
  onAction_ = nullptr;
}

void SettingsPage::ShowSectionProblem(const QString& section, const QString& what,
                                      _Fennimar_ReturnCode_ code, From from) {
  const auto& paths = settings_.paths();
  if (!QFileInfo::exists(paths.document) && !QFileInfo::exists(paths.templateFile)) {
    ShowProblem(tr("There are no settings yet, so %1 cannot be shown or changed: the settings "
                   "document %2 does not exist, and the template that would take its place, "
                   "%3, is missing. Reinstall the program to restore the template, then reload "
                   "(F5).")
                    .arg(what, paths.document, paths.templateFile),
                CodeName(code), from);
    return;
  }
  if (!settings_.DocumentLoaded()) {
    ShowProblem(tr("The settings document %1 could not be read, so %2 cannot be shown or "
                   "changed. Repair it in a text editor, or move it away: a fresh copy of the "
                   "template takes its place when the window reloads (F5).")
                    .arg(paths.document, what),
                CodeName(code), from);
    return;
  }
  ShowProblem(tr("The settings document %1 has no %2 section, so %3 cannot be shown or "
                 "changed. Add an empty <%2/> element under the document's root element, or "
                 "move the document away to start again from the template.")
                  .arg(paths.document, section, what),
              CodeName(code), from);
}

bool SettingsPage::ShowFailedSave(_Fennimar_ReturnCode_ code) {
  if (code != RC_FILE_ERROR) return false;
  Load();
  ShowProblem(tr("Your change was not saved, and the page shows again what the settings "
                 "document holds. Make the document writable (or free space on its disk), then "
                 "make the change again."),
              settings_.LastSaveError() + QStringLiteral(" (") + CodeName(code) + QLatin1Char(')'));
  return true;
}

}  // namespace fennimar::desktop
