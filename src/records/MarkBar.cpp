#include "records/MarkBar.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPagedPaintDevice>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMenu>
#include <new>

#include "course/CommandIds.h"
#include "course/ContentsServices.h"
#include "course/CourseFileError.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "records/BookmarkClipboard.h"
#include "records/BookmarkDialogs.h"
#include "records/BookmarkFile.h"
#include "records/BookmarkList.h"
#include "records/ProgressStore.h"
#include "records/SafeSave.h"

namespace {

struct MenuItem {
  int id;
  const char* text;
};
// The menu, in the order of the bar's command table; 0 separates groups.
constexpr MenuItem kMenu[] = {
    {cmd::kAnnotateBookmark, "&Annotate Bookmark..."},
    {cmd::kCopyBookmark, "&Copy Bookmark to Clipboard"},
    {cmd::kCustomIcon, "Customize &icon..."},
    {cmd::kDeleteBookmark, "&Delete Bookmark"},
    {cmd::kExecuteBookmark, "&Execute this Activity"},
    {cmd::kLocateBookmark, "&Locate within Lesson"},
    {cmd::kPasteBookmark, "Pas&te Bookmark from Clipboard"},
    {cmd::kRevertBookmark, "&Revert Bookmark"},
    {cmd::kSortBookmarks, "&Sort Bookmarks..."},
    {0, nullptr},
    {cmd::kHideBookmarks, "&Hide Bookmarks"},
    {0, nullptr},
    {cmd::kLoadBookmarks, "L&oad Bookmark File..."},
    {cmd::kMergeBookmarks, "&Merge Bookmark File..."},
    {cmd::kPrintBookmarks, "&Print Bookmarks..."},
    {cmd::kRemoveAllBookmarks, "Remo&ve all Bookmarks"},
    {cmd::kSaveBookmarks, "Save &Bookmark  File..."},
};

int LearnerTextSize() {
  const Preferences* p = Service<Preferences>();
  return (p ? p->fontSize : Preferences::kDefaultFontSize) - 2;
}

const QString kFilter = QStringLiteral("Bookmark Files (*.mrk)");
}  // namespace

CMarkBar::CMarkBar(StudentRecord& record, QWidget* parent) : QDockWidget(parent), m_record(record) {
  setObjectName(QStringLiteral("Bookmarks"));
  const std::string title = ProgramString(str::kBarBookmarks);
  setWindowTitle(QString::fromStdString(title.empty() ? "Bookmarks" : title));
  m_list = new CMarkList(*this, cmd::kBookmarksBar, this);
  setWidget(m_list);
  setMinimumSize(140, 100);
  m_list->SetTextSize(LearnerTextSize());
  // Every change of the list, whoever makes it, re-measures the rows; whatever was
  // connected before (the program's broadcast) still hears of it.
  m_previousHook = m_record.SetBookmarksChangedHook([this](const ActivityLocator* concerned) {
    Refresh();
    if (m_previousHook) m_previousHook(concerned);
  });
  m_chooseFile = [this](bool save) {
    if (save) return QFileDialog::getSaveFileName(this, QString(), QString::fromLatin1(kBookmarkFileName), kFilter);
    return QFileDialog::getOpenFileName(this, QString(), QString::fromLatin1(kBookmarkFileName), kFilter);
  };
  m_confirmOverwrite = [this](const QString& path) { return ConfirmOverwrite(this, path); };
}

CMarkBar::~CMarkBar() { m_record.SetBookmarksChangedHook(std::move(m_previousHook)); }

void CMarkBar::Refresh() {
  m_list->SetTextSize(LearnerTextSize());
  m_list->SetLessonBookOpen(m_launch.lessonBookOpen && m_launch.lessonBookOpen());
}

int CMarkBar::MarkCount() const { return m_record.bookmarkCount(); }

const ActivityLocator* CMarkBar::MarkLocator(int row) const {
  if (row < 0 || row >= m_record.bookmarkCount()) return nullptr;
  return &m_record.bookmarks()[static_cast<std::size_t>(row)];
}

std::string CMarkBar::MarkText(int row) const {
  const ActivityLocator* l = MarkLocator(row);
  return l ? BookmarkText(*l, CurrentContents()) : std::string();
}

void CMarkBar::MarkChosen(int row) {
  const ActivityLocator* l = MarkLocator(row);
  if (l && m_launch.launch) m_launch.launch(*l, true);
}

void CMarkBar::MarkContextMenu(int row, const QPoint& globalPos) {
  QMenu* menu = BuildMenu(this);
  menu->exec(globalPos);
  delete menu;
}

const ActivityLocator* CMarkBar::Selected() const { return MarkLocator(m_list->selected()); }

bool CMarkBar::AcceptsDrop(const QMimeData* data) const { return HasBookmark(data); }

void CMarkBar::Dropped(const QMimeData* data, int row, int fromRow) {
  if (fromRow >= 0) {
    // A move within the bar: the dragged bookmark leaves its old place first.
    const int at = m_record.MoveBookmark(fromRow, row);
    m_list->SetSelected(at);
    return;
  }
  const auto locator = BookmarkFromMime(data, CurrentContents());
  if (!locator) return;
  const int at = m_record.InsertBookmark(*locator, row);
  if (at < 0) {
    ShowNotice(str::kBookmarkListFull);
    return;
  }
  m_list->SetSelected(at);
}

bool CMarkBar::CommandEnabled(int id) const {
  BookmarkMenuState state;
  state.selected = m_list->selected();
  const QClipboard* clipboard = QGuiApplication::clipboard();
  state.clipboardFormat = clipboard != nullptr;
  state.clipboardHasBookmark = clipboard && HasBookmark(clipboard->mimeData());
  if (!BookmarkCommandEnabled(id, state, m_record.bookmarks())) return false;
  // Without the launcher or the Lesson Book these have nothing to hand the bookmark to.
  if (id == cmd::kExecuteBookmark) return static_cast<bool>(m_launch.launch);
  if (id == cmd::kLocateBookmark) return static_cast<bool>(m_launch.locate);
  return true;
}

QMenu* CMarkBar::BuildMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("Bookmark Popup"));
  for (const MenuItem& item : kMenu) {
    if (!item.id) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromLatin1(item.text));
    action->setData(item.id);
    action->setEnabled(CommandEnabled(item.id));
    const std::string tip = ProgramString(item.id);
    if (!tip.empty()) action->setStatusTip(QString::fromStdString(tip));
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  }
  return menu;
}

void CMarkBar::OnCommand(int id) {
  try {
    RunCommand(id);
  } catch (const std::bad_alloc&) {
    ShowNotice(str::kNoMemory);
  }
}

void CMarkBar::RunCommand(int id) {
  if (!CommandEnabled(id)) return;
  const int row = m_list->selected();
  const ActivityLocator* selected = Selected();
  switch (id) {
    case cmd::kAnnotateBookmark: {
      CAnnotateDlg dialog(BookmarkText(*selected, CurrentContents()), this);
      if (dialog.exec() != QDialog::Accepted) return;
      ActivityLocator changed = *selected;
      AnnotateBookmark(changed, dialog.Text());
      m_record.ReplaceBookmark(row, changed);
      break;
    }
    case cmd::kCopyBookmark:
      Copy();
      break;
    case cmd::kCustomIcon: {
      CCustomIconDlg dialog(selected->mark, this);
      if (dialog.exec() != QDialog::Accepted || dialog.ChosenMark() == 0) return;
      ActivityLocator changed = *selected;
      changed.mark = static_cast<std::uint8_t>(dialog.ChosenMark());
      m_record.ReplaceBookmark(row, changed);
      break;
    }
    case cmd::kDeleteBookmark:
      m_record.RemoveBookmark(row);
      m_list->SetSelected(-1);
      break;
    case cmd::kExecuteBookmark:
      m_launch.launch(*selected, false);
      break;
    case cmd::kLocateBookmark:
      m_launch.locate(*selected);
      break;
    case cmd::kPasteBookmark:
      Paste();
      break;
    case cmd::kRevertBookmark: {
      ActivityLocator changed = *selected;
      RevertBookmark(changed);
      m_record.ReplaceBookmark(row, changed);
      break;
    }
    case cmd::kSortBookmarks: {
      CSortDlg dialog(this);
      if (dialog.exec() != QDialog::Accepted) return;
      auto list = m_record.bookmarks();
      SortBookmarks(list, dialog.Order(), CurrentContents());
      m_record.SetBookmarks(std::move(list));
      m_list->SetSelected(-1);
      break;
    }
    case cmd::kHideBookmarks:
      if (m_hide)
        m_hide();
      else
        hide();
      break;
    case cmd::kLoadBookmarks:
    case cmd::kMergeBookmarks:
      LoadFile(id == cmd::kLoadBookmarks);
      break;
    case cmd::kPrintBookmarks:
      Print();
      break;
    case cmd::kRemoveAllBookmarks:
      m_record.ClearBookmarks();
      m_list->SetSelected(-1);
      break;
    case cmd::kSaveBookmarks:
      SaveFile();
      break;
    default:
      break;
  }
}

void CMarkBar::Copy() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) {
    ShowNotice(str::kCannotOpenClipboard);
    return;
  }
  const ActivityLocator* l = Selected();
  clipboard->setMimeData(BookmarkMimeData(*l, BookmarkText(*l, CurrentContents())));
}

void CMarkBar::Paste() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) {
    ShowNotice(str::kCannotOpenClipboard);
    return;
  }
  const auto locator = BookmarkFromMime(clipboard->mimeData(), CurrentContents());
  if (!locator) {
    ShowNotice(str::kCannotCopyFromClipboard);
    return;
  }
  const int at = m_record.InsertBookmark(*locator, m_list->selected());
  if (at < 0) {
    ShowNotice(str::kBookmarkListFull);
    return;
  }
  m_list->SetSelected(at);
}

void CMarkBar::LoadFile(bool replace) {
  const QString name = m_chooseFile(false);
  if (name.isEmpty()) return;
  const std::filesystem::path path(name.toStdString());
  std::vector<ActivityLocator> read;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      read = LoadBookmarkFile(path);
    } catch (const CourseFileError& e) {
      QApplication::restoreOverrideCursor();
      // A damaged file leaves the list as it was, and says so.
      ShowNotice(e.kind() == CourseFileError::Kind::Format ? str::kBookmarkFileDamaged : str::kBookmarkFileUnreadable,
                 FileAndReason(path, e.reason()));
      return;
    }
    QApplication::restoreOverrideCursor();
  }
  if (read.empty()) return;
  m_list->SetSelected(-1);
  if (replace)
    m_record.SetBookmarks(std::move(read));
  else
    m_record.AppendBookmarks(read);
}

void CMarkBar::SaveFile() {
  const QString name = m_chooseFile(true);
  if (name.isEmpty()) return;
  bool appended = false;
  const std::filesystem::path path = WithDefaultExtension(name.toStdString(), kBookmarkExtension, &appended);
  // The dialog asked about the name as typed; the file with the extension is another one.
  std::error_code ec;
  if (appended && std::filesystem::exists(path, ec) && !m_confirmOverwrite(QString::fromStdString(path.string())))
    return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SaveBookmarkPath(path, m_record.bookmarks());
  QApplication::restoreOverrideCursor();
}

void CMarkBar::Print() {
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);
}

int CMarkBar::PrintTo(QPagedPaintDevice& device) {
  QPainter p(&device);
  if (!p.isActive()) return 0;
  // Lay out at screen size, scaled by the ratio of the printer's resolution to the screen's.
  const double scale = device.logicalDpiY() / 96.0;
  p.scale(scale, scale);
  const QRect page(0, 0, static_cast<int>(device.width() / scale), static_cast<int>(device.height() / scale));
  QFont titleFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold);
  const int band = QFontMetrics(titleFont).height() + 8;
  const QRect body = page.adjusted(0, band, 0, -band);
  const auto heights = m_list->RowHeights(body.width());

  int pages = 0;
  std::size_t row = 0;
  while (row < heights.size() || pages == 0) {
    if (pages > 0) device.newPage();
    ++pages;
    p.setFont(titleFont);
    p.setPen(Qt::black);
    p.drawText(QRect(page.left(), page.top(), page.width(), band), Qt::AlignCenter, windowTitle());
    p.drawText(QRect(page.left(), page.bottom() - band, page.width(), band), Qt::AlignCenter,
               QStringLiteral("page %1").arg(pages));
    // Whole rows only; a row taller than the page still gets a page of its own.
    const std::size_t first = row;
    int used = 0;
    while (row < heights.size() && (row == first || used + heights[row] <= body.height())) used += heights[row++];
    if (row > first)
      m_list->PaintRows(p, static_cast<int>(first), static_cast<int>(row) - 1, body.topLeft(), body.width());
  }
  return pages;
}
