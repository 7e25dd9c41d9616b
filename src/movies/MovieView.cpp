#include "movies/MovieView.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>

#include "audio/SoundOutput.h"
#include "course/CourseFile.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "movies/Movie.h"
#include "movies/MovieController.h"
#include "movies/MovieLayout.h"
#include "movies/MovieSoundPlayer.h"
#include "course/CommandIds.h"
#include "shell/ProgramArt.h"

namespace {

struct MenuItem {
  int id;
  const char* text;
};
// The movie window's menu; its commands are the window's (CMovieWnd).
constexpr MenuItem kMenu[] = {
    {cmd::kViewMovieText, "&View Movie Text"}, {0, nullptr}, {cmd::kHalfSize, "&Half Size"},
    {cmd::kDoubleSize, "&Double Size"}, {cmd::kNormalSize, "&Original Size"}, {0, nullptr},
    {cmd::kCopy, "&Copy"},      {cmd::kPrintPreview, "Print Pre&view"}, {cmd::kClose, "&Close"},
};
}  // namespace

CMovieView::CMovieView(QWidget* parent) : CCoreView(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  m_clock.start();
}

CMovieView::~CMovieView() { ShowPointer(true); }

void CMovieView::Load(CourseFile file) {
  Unload();
  m_movie = CMovie::Open(std::move(file));
  m_controller = std::make_unique<CMovieController>(*m_movie);
  m_controller->EnableKeys(true);
  m_state = std::make_unique<CMoviePlayState>(*m_controller);
  if (SoundOutput* output = Service<SoundOutput>(); output && m_movie->HasSound())
    if (MovieSoundSource* source = m_movie->Sound()) m_sound = std::make_unique<CMovieSoundPlayer>(output, source);
  const QSize client = viewport()->size();
  if (client.width() > movie_layout::kClientMargin && client.height() > movie_layout::kClientMargin)
    m_controller->SetBounds(QRect(QPoint(0, 0), client - QSize(movie_layout::kClientMargin, movie_layout::kClientMargin)));
  viewport()->update();
}

void CMovieView::Unload() {
  RemoveCloseButton();
  m_sound.reset();
  m_state.reset();
  m_controller.reset();
  m_movie.reset();
  m_transcriptPath.clear();
  ShowPointer(true);
  viewport()->unsetCursor();
  viewport()->update();
}

QSize CMovieView::naturalSize() const { return m_movie ? m_movie->NaturalSize() : QSize(); }

CMoviePlayState::Tick CMovieView::Tick(bool openTextPreference) {
  if (!m_state) return {};
  CMoviePlayState::Tick t = m_state->OnTick(NowMs(), openTextPreference);
  if (m_sound) m_sound->Follow(m_controller->Info() & CMovieController::kPlaying, m_controller->CurrentTime());
  if (t.ended) ShowCloseButton();
  if (t.replayed) RemoveCloseButton();
  if (t.playingChanged) UpdateCursorShape();
  ShowPointer(!t.hidePointer);
  if (t.redraw || t.ended || t.playingChanged) viewport()->update();
  return t;
}

void CMovieView::SetActive(bool active) {
  if (!m_state) return;
  if (active) {
    m_state->Activate();
  } else {
    m_state->Deactivate();
    if (m_sound) m_sound->Stop();
    ShowPointer(true);
  }
  viewport()->update();
}

QImage CMovieView::CurrentFrame() const {
  if (!m_movie) return {};
  return m_movie->FrameAt(m_controller->CurrentTime());
}

void CMovieView::PaintContent(QPainter& painter, const QRect& rect, bool printing) {
  painter.fillRect(rect, Qt::white);
  if (!m_controller) return;
  if (printing) {
    const QImage frame = CurrentFrame();
    if (!frame.isNull()) painter.drawImage(QRect(QPoint(0, 0), viewport()->size()), frame);
    return;
  }
  m_controller->Draw(painter);
}

void CMovieView::resizeEvent(QResizeEvent* event) {
  CCoreView::resizeEvent(event);
  const QSize client = viewport()->size();
  SetContentSize(QSize());
  if (m_controller && client.width() > movie_layout::kClientMargin && client.height() > movie_layout::kClientMargin) {
    m_controller->SetBounds(QRect(QPoint(0, 0), client - QSize(movie_layout::kClientMargin, movie_layout::kClientMargin)));
    if (m_closeButton) m_closeButton->setGeometry(movie_layout::CloseButtonRect(m_controller->MovieRect()));
  }
}

void CMovieView::mousePressEvent(QMouseEvent* event) {
  if (m_controller && m_controller->MousePress(event->position().toPoint())) {
    viewport()->update();
    return;
  }
  CCoreView::mousePressEvent(event);
}

void CMovieView::mouseMoveEvent(QMouseEvent* event) {
  m_lastPointer = event->position().toPoint();
  if (m_state) m_state->PointerMoved(NowMs(), viewport()->rect().contains(event->position().toPoint()));
  ShowPointer(true);
  UpdateCursorShape();
  if (m_controller && m_controller->MouseMove(event->position().toPoint())) viewport()->update();
}

void CMovieView::mouseReleaseEvent(QMouseEvent* event) {
  if (m_controller && m_controller->MouseRelease(event->position().toPoint())) {
    viewport()->update();
    return;
  }
  CCoreView::mouseReleaseEvent(event);
}

void CMovieView::keyPressEvent(QKeyEvent* event) {
  if (m_controller && m_controller->KeyPress(event->key())) {
    viewport()->update();
    return;
  }
  CCoreView::keyPressEvent(event);
}

void CMovieView::leaveEvent(QEvent* event) {
  if (m_state) m_state->PointerLeft();
  ShowPointer(true);
  CCoreView::leaveEvent(event);
}

bool CMovieView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) {
    if (m_state) m_state->PointerLeft();
    ShowPointer(true);
  }
  return CCoreView::viewportEvent(event);
}

void CMovieView::ShowCloseButton() {
  if (!m_controller) return;
  if (!m_closeButton) {
    m_closeButton = new QPushButton(QStringLiteral("Close"), viewport());
    connect(m_closeButton, &QPushButton::clicked, this, [this] { OnCommand(cmd::kClose); });
  }
  m_closeButton->setGeometry(movie_layout::CloseButtonRect(m_controller->MovieRect()));
  m_closeButton->show();
  m_closeButton->setFocus();
}

void CMovieView::RemoveCloseButton() {
  if (!m_closeButton) return;
  m_closeButton->hide();
  m_closeButton->deleteLater();
  m_closeButton = nullptr;
  setFocus();
}

void CMovieView::ShowPointer(bool shown) {
  if (shown == !m_pointerHidden) return;
  m_pointerHidden = !shown;
  if (m_pointerHidden)
    viewport()->setCursor(Qt::BlankCursor);
  else
    UpdateCursorShape();
}

void CMovieView::UpdateCursorShape() {
  if (m_pointerHidden) return;
  // Over the picture (not the bar under it) the pointer takes the playing shape.
  const bool playing = m_controller && (m_controller->Info() & CMovieController::kPlaying);
  if (playing && m_controller->MovieRect().contains(m_lastPointer))
    viewport()->setCursor(ProgramCursor(cur::kMoviePlaying));
  else
    viewport()->unsetCursor();
}

void CMovieView::contextMenuEvent(QContextMenuEvent* event) {
  CommandTarget* target = nullptr;
  for (QWidget* p = parentWidget(); p && !target; p = p->parentWidget()) target = dynamic_cast<CommandTarget*>(p);
  if (!target) return;
  QMenu menu(this);
  for (const MenuItem& item : kMenu) {
    if (!item.text) {
      menu.addSeparator();
      continue;
    }
    CommandState state;
    target->UpdateCommand(item.id, state);
    QAction* action = menu.addAction(QString::fromUtf8(item.text));
    action->setEnabled(state.enabled);
    if (state.checked) {
      action->setCheckable(true);
      action->setChecked(*state.checked);
    }
    const int id = item.id;
    connect(action, &QAction::triggered, this, [target, id] { target->OnCommand(id); });
  }
  menu.exec(event->globalPos());
}
