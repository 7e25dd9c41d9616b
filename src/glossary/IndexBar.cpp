#include "glossary/IndexBar.h"

#include <QtGui/QContextMenuEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include "course/ActivityKind.h"
#include "course/AsteriskSourceList.h"
#include "course/CommandIds.h"
#include "course/ContentsTable.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "glossary/GlossaryTable.h"
#include "glossary/IndexTable.h"
#include "glossary/TermBarParts.h"
#include "shell/MainFrame.h"
#include "shell/ProgramArt.h"
#include "shell/StatsDockWnd.h"

namespace {

CIndexBar::Links& CurrentLinks() {
  static CIndexBar::Links links;
  return links;
}

constexpr int kInset = 2;
constexpr int kIcon = 24;

QString Text(std::string_view bytes) { return QString::fromStdString(CourseToUtf8(bytes)); }

}  // namespace

// The references pane: one row per line of the term, word-wrapped to the pane's width.
class CIndexReferences : public QWidget {
 public:
  explicit CIndexReferences(CIndexBar& bar) : m_bar(bar) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);  // Up and Down choose a reference, Enter follows it
  }

  int keyRow() const { return m_keyRow; }

  void Relayout() {
    m_rows.clear();
    m_keyRow = -1;
    const int width = std::max(this->width(), kMinWidth);
    const bool icons = PersonalityBool(kKeyIndexIcons, false);
    int y = 0;
    for (int r = 0; r < m_bar.ReferenceRows(); ++r) {
      const int textLeft = kInset + (r > 0 && icons ? kIcon + 2 : 0);
      const QRect bound = QFontMetrics(RowFont(r)).boundingRect(QRect(textLeft, 0, width - textLeft - kInset, 100000),
                                                                Qt::TextWordWrap, Text(m_bar.RowText(r)));
      int h = bound.height() + 2 * kInset;
      if (r > 0 && icons) h = std::max(h, kIcon + 2 * kInset);
      m_rows.push_back(QRect(0, y, width, h));
      y += h;
    }
    setMinimumHeight(y);
    update();
  }

  int RowAt(QPoint p) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
      if (m_rows[i].contains(p)) return static_cast<int>(i);
    return -1;
  }
  const std::vector<QRect>& rows() const { return m_rows; }

  // Paints every row into painter (the pane, or a printed page).
  void PaintRows(QPainter& p, int width) const {
    const bool icons = PersonalityBool(kKeyIndexIcons, false);
    const ContentsTable* contents = Service<ContentsTable>();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
      const int r = static_cast<int>(i);
      const QRect row(0, m_rows[i].top(), width, m_rows[i].height());
      int textLeft = kInset;
      if (r > 0 && icons) {
        const ActivityLocator at = m_bar.RowLocator(r);
        const int kind = at.lesson >= 0 && contents ? at.Kind(*contents) : -1;
        const int icon = kind >= 0 ? ActivityKindIcon(kind) : ico::kNoLesson;
        const QPixmap pixmap = ProgramPixmap("icon", icon, QSize(kIcon, kIcon), p.device()->devicePixelRatioF());
        p.drawPixmap(QPoint(kInset, row.top() + (row.height() - kIcon) / 2), pixmap);
        textLeft += kIcon + 2;
      }
      p.setFont(RowFont(r));
      p.setPen(Qt::black);
      p.drawText(QRect(textLeft, row.top() + kInset, width - textLeft - kInset, row.height() - 2 * kInset),
                 Qt::TextWordWrap, Text(m_bar.RowText(r)));
    }
  }

  static QFont RowFont(int row) {
    QFont f(QStringLiteral("Liberation Sans"));
    const Preferences* prefs = Service<Preferences>();
    f.setPointSize(std::max(6, (prefs ? prefs->fontSize : 12) - 2));
    f.setBold(row == 0);
    return f;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    PaintRows(p, width());
    if (m_pressed >= 0 && m_inside) {
      p.setPen(QPen(Qt::black, 1, Qt::DotLine));
      p.drawRect(m_rows[static_cast<std::size_t>(m_pressed)].adjusted(0, 0, -1, -1));
    }
    if (hasFocus() && m_keyRow > 0 && m_keyRow < static_cast<int>(m_rows.size())) {
      p.setPen(QPen(palette().highlight().color(), 2));
      p.drawRect(m_rows[static_cast<std::size_t>(m_keyRow)].adjusted(1, 1, -1, -1));
    }
  }
  void keyPressEvent(QKeyEvent* e) override {
    const int last = static_cast<int>(m_rows.size()) - 1;
    if (last < 1) return QWidget::keyPressEvent(e);
    switch (e->key()) {
      case Qt::Key_Down: MoveKeyRow(std::min(last, std::max(1, m_keyRow + 1))); return;
      case Qt::Key_Up: MoveKeyRow(std::max(1, m_keyRow - 1)); return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (m_keyRow > 0) m_bar.ActivateRow(m_keyRow);
        return;
      default: QWidget::keyPressEvent(e);
    }
  }
  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }
  void resizeEvent(QResizeEvent*) override { Relayout(); }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const int row = RowAt(e->position().toPoint());
    m_pressed = row > 0 ? row : -1;
    m_inside = true;
    m_dragging = false;
    m_start = e->position().toPoint();
    update();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (m_pressed < 0) return;
    const bool inside = m_rows[static_cast<std::size_t>(m_pressed)].contains(e->position().toPoint());
    // Pulled out of its row, a reference with a lesson becomes a drag.
    if (!inside && !m_dragging && m_bar.RowLocator(m_pressed).lesson >= 0) {
      m_dragging = true;
      setCursor(ProgramCursor(cur::kDrag));
    }
    if (inside != m_inside) {
      m_inside = inside;
      update();
    }
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    const int row = m_pressed;
    const bool dragging = m_dragging;
    m_pressed = -1;
    m_dragging = false;
    unsetCursor();
    update();
    if (row < 0) return;
    if (dragging) {
      const CIndexBar::Links& links = CurrentLinks();
      if (links.dropLocator) links.dropLocator(m_bar.RowLocator(row), e->globalPosition().toPoint());
      return;
    }
    if (m_rows[static_cast<std::size_t>(row)].contains(e->position().toPoint())) m_bar.ActivateRow(row);
  }
  void contextMenuEvent(QContextMenuEvent* e) override { m_bar.OpenMenuAt(RowAt(e->pos()), e->globalPos()); }

 private:
  static constexpr int kMinWidth = 40;
  CIndexBar& m_bar;
  std::vector<QRect> m_rows;
  void MoveKeyRow(int row) {
    m_keyRow = row;
    setAccessibleDescription(QString::fromStdString(CourseToUtf8(m_bar.RowText(row))));
    update();
  }

  int m_pressed = -1;
  bool m_inside = false;
  bool m_dragging = false;
  int m_keyRow = -1;  // the reference row the keyboard is on (0: none)
  QPoint m_start;
};

void CIndexBar::SetLinks(Links links) { CurrentLinks() = std::move(links); }

CIndexBar::CIndexBar(const IndexTable& index, const GlossaryTable* glossary, QWidget* parent)
    : CTearToolBar(cmd::kIndexBar, parent), m_index(index), m_glossary(glossary) {
  setAccessibleName(QStringLiteral("Index"));
  m_refs = new CIndexReferences(*this);
  m_refs->setAccessibleName(QStringLiteral("References"));
  m_glossaryButton = new QToolButton;
  m_glossaryButton->setText(QStringLiteral("Glossary"));
  m_glossaryButton->setToolTip(QString::fromStdString(ProgramString(str::kIndexGlossaryTip)));
  m_glossaryButton->setAccessibleName(QStringLiteral("Glossary definition"));
  connect(m_glossaryButton, &QToolButton::clicked, this, [this] { OnCommand(cmd::kIndexGlossary); });

  const TermBarLayout parts = BuildTermBar(
      this, m_refs, QStringLiteral("Index terms"), m_index.Count(), [this](int i) { return m_index.TermName(i); },
      {m_glossaryButton}, kListWidth, kMinListWidth, kMinPaneWidth, [this](int i) { ShowTerm(i); });
  m_scroll = parts.scroll;
  m_list = parts.list;
  m_split = parts.split;
  m_list->installEventFilter(this);
  UpdateButton();
}

CIndexBar::~CIndexBar() = default;

QWidget* CIndexBar::referencePane() const { return m_refs; }

bool CIndexBar::OpenAtTerm(std::string_view name) {
  const int found = m_index.FindTerm(name);
  if (found < 0) {
    ShowNotice(str::kIndexTermNotFound, name);
    return false;
  }
  ShowTerm(found);
  return true;
}

void CIndexBar::ShowTerm(int index) {
  if (index < 0 || index >= m_index.Count()) return;
  m_current = index;
  m_list->setCurrentRow(index);
  m_list->scrollToItem(m_list->item(index));
  m_refs->Relayout();
  m_scroll->ensureVisible(0, 0);
  QStringList lines;
  for (int r = 0; r < ReferenceRows(); ++r) lines << Text(RowText(r));
  m_refs->setAccessibleDescription(lines.join(QLatin1Char('\n')));
  UpdateButton();
}

int CIndexBar::ReferenceRows() const { return m_current < 0 ? 0 : m_index.ReferenceCount(m_current) + 1; }

ActivityLocator CIndexBar::RowLocator(int row) const {
  const ContentsTable* contents = Service<ContentsTable>();
  if (row < 1 || !contents) return ActivityLocator();
  return m_index.Reference(m_current, row - 1, *contents, Service<AsteriskSourceList>());
}

std::string CIndexBar::RowText(int row) const {
  if (row == 0) return m_index.TermName(m_current) + ":";
  const ActivityLocator at = RowLocator(row);
  const ContentsTable* contents = Service<ContentsTable>();
  if (at.lesson < 0 || !contents) return ProgramString(str::kGlossaryDefinitionRow);
  return at.Describe(*contents);
}

bool CIndexBar::HasDefinition() const {
  return m_current >= 0 && m_glossary && m_glossary->FindTerm(m_index.TermName(m_current)) >= 0;
}

void CIndexBar::ActivateRow(int row) {
  if (row < 1 || row >= ReferenceRows()) return;
  ActivityLocator at = RowLocator(row);
  const Links& links = CurrentLinks();
  if (at.lesson < 0) {
    if (links.showGlossary) links.showGlossary(m_index.TermName(m_current));
    return;
  }
  // Places in the course open only beside the Lesson Book.
  if (!links.launch || !links.lessonBookOpen || !links.lessonBookOpen()) return;
  at.mark = 255;
  links.launch(at);
}

void CIndexBar::CopyToBookmarks(int row) {
  const Links& links = CurrentLinks();
  if (!links.addBookmark || m_current < 0) return;
  const int first = row == 0 ? 1 : row, last = row == 0 ? ReferenceRows() - 1 : row;
  for (int r = first; r <= last; ++r) {
    const ActivityLocator at = RowLocator(r);
    if (at.lesson < 0) continue;
    if (!links.addBookmark(at)) {
      ShowNotice(str::kBookmarkListFull);  // once, then no more
      return;
    }
  }
}

void CIndexBar::UpdateButton() { m_glossaryButton->setEnabled(HasDefinition()); }

bool CIndexBar::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kIndexToBookmarks:
      state.enabled = CurrentLinks().addBookmark && (m_menuRow == 0 ? m_current >= 0 : RowLocator(m_menuRow).lesson >= 0);
      return true;
    case cmd::kIndexGlossary:
      state.enabled = HasDefinition() && CurrentLinks().showGlossary != nullptr;
      return true;
    case cmd::kIndexPrint:
    case cmd::kPrint:
      state.enabled = m_current >= 0;
      return true;
    case cmd::kIndexHide:
      state.enabled = true;
      return true;
    default:
      return CTearToolBar::UpdateCommand(id, state);
  }
}

bool CIndexBar::OnCommand(int id) {
  CommandState state;
  if (UpdateCommand(id, state) && !state.enabled) return true;
  switch (id) {
    case cmd::kIndexToBookmarks:
      CopyToBookmarks(m_menuRow);
      return true;
    case cmd::kIndexGlossary:
      CurrentLinks().showGlossary(m_index.TermName(m_current));
      return true;
    case cmd::kIndexPrint:
    case cmd::kPrint:
      Print();
      return true;
    case cmd::kIndexHide:
      if (CMainFrame* frame = CMainFrame::Instance()) frame->SetBarVisible(cmd::kIndexBar, false);
      return true;
    default:
      return CTearToolBar::OnCommand(id);
  }
}

void CIndexBar::OpenMenuAt(int row, QPoint globalPos) {
  m_menuRow = row;
  RunCommandMenu(this, *this,
                 {{cmd::kIndexToBookmarks, "&Copy to Bookmarks"},
                  {cmd::kIndexGlossary, "&Glossary definition"},
                  {cmd::kIndexHide, "&Hide Index"},
                  {cmd::kIndexPrint, "&Print Index..."}},
                 globalPos);
}

int CIndexBar::ContentHeight(bool printing) const {
  if (!printing) return 0;
  return m_refs->rows().empty() ? 0 : m_refs->rows().back().bottom() + 1;
}

void CIndexBar::PaintRows(QPainter& painter, const QRect&, int width, bool printing) {
  if (printing) m_refs->PaintRows(painter, std::min(width, m_refs->width()));
}

void CIndexBar::OnCourseNotify(int code, void* data) {
  CTearToolBar::OnCourseNotify(code, data);
  // The text size follows the preferences; lesson names follow the textbook order.
  if (code == kNotifyPreferences) m_refs->Relayout();
}

bool CIndexBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list) {
    if (const char c = TypedTermKey(event)) {
      const int found = m_index.FirstTermStartingWith(c);
      if (found >= 0) ShowTerm(found);
      return true;
    }
  }
  return CTearToolBar::eventFilter(watched, event);
}

void ShowIndexTerm(std::string_view name) {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame) return;
  frame->SetBarVisible(cmd::kIndexBar, true);
  if (name.empty()) return;
  CStatsDockWnd* dock = frame->tearBar(cmd::kIndexBar);
  if (auto* bar = dock ? dynamic_cast<CIndexBar*>(dock->bar()) : nullptr) bar->OpenAtTerm(name);
}
