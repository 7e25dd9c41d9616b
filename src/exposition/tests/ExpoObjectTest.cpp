// The scene's objects: configure steps, size rules, pen movement, names, the mouse,
// transitions and movement stepped by position, and the snapshot.
#include <gtest/gtest.h>

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>

#include "ExpoTestSupport.h"
#include "exposition/ExpoKinds.h"

using namespace expotest;

namespace {

CExpoObject* Make(ExpoScene& scene, int command, ScriptValueList args) { return scene.Create(command, args); }

}  // namespace

TEST(ExpoObject, TransparencyAndOverlaySetAlpha) {
  ExpoScene scene;
  struct Row {
    ScriptValueList args;
    int alpha;
  };
  const Row rows[] = {
      {Args({K(kw::size), P(10, 10), K(kw::transparency), I(50)}), 127},
      {Args({K(kw::size), P(10, 10), K(kw::transparency), I(150)}), 0},
      {Args({K(kw::size), P(10, 10), K(kw::transparency), I(-1)}), 0},
      {Args({K(kw::size), P(10, 10), K(kw::transparency), I(100)}), 255},
      {Args({K(kw::size), P(10, 10), K(kw::overlay), I(1)}), 128},
      {Args({K(kw::size), P(10, 10), K(kw::transparency), I(20), K(kw::overlay), I(1)}), 51},
  };
  for (const Row& r : rows) {
    CExpoObject* o = Make(scene, kw::rectangle, r.args);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->alpha(), r.alpha);
  }
}

TEST(ExpoObject, CheckboxesStackAndButtonsLineUp) {
  ExpoScene scene;
  scene.pen = QPoint(20, 30);
  CExpoObject* a = Make(scene, kw::checkbox, Args({T("First")}));
  CExpoObject* b = Make(scene, kw::checkbox, Args({T("Second choice")}));
  EXPECT_EQ(b->rect().left, a->rect().left);
  EXPECT_EQ(b->rect().top, a->rect().bottom);
  EXPECT_GE(a->rect().height(), 13);
  EXPECT_EQ(scene.pen, QPoint(20, b->rect().bottom));

  scene.pen = QPoint(20, 200);
  CExpoObject* x = Make(scene, kw::button, Args({T("Yes")}));
  CExpoObject* y = Make(scene, kw::button, Args({T("No")}));
  EXPECT_EQ(y->rect().left, x->rect().right);
  EXPECT_EQ(y->rect().top, x->rect().top);
  EXPECT_GT(x->rect().width(), scene.buttonMargins.width());
  EXPECT_EQ(Make(scene, kw::button, Args({T("W"), K(kw::width), I(90)}))->rect().width(), 90);
}

TEST(ExpoObject, ButtonCaptionDefaultsByTheNarration) {
  ExpoScene scene;
  scene.narrationEnd = Seconds(60);
  scene.position = Seconds(10);
  EXPECT_EQ(Make(scene, kw::button, {})->Text(), "Continue");
  scene.position = Seconds(60);
  EXPECT_EQ(Make(scene, kw::button, {})->Text(), "Close");
}

TEST(ExpoObject, ButtonsAnswerOnlyWhileTheNarrationIsPaused) {
  ExpoScene scene;
  auto* close = static_cast<CExpoButton*>(Make(scene, kw::button, Args({T("Close")})));
  auto* next = static_cast<CExpoButton*>(Make(scene, kw::button, Args({T("Next")})));
  const QPoint inClose = close->rect().ToQRect().center();
  const QPoint inNext = next->rect().ToQRect().center();
  EXPECT_FALSE(scene.MouseDown(inClose));  // playing
  EXPECT_EQ(scene.MouseUp(inClose).action, ExpoMouseResult::None);
  EXPECT_TRUE(scene.lastButton.empty());

  scene.paused = true;
  ASSERT_TRUE(scene.MouseDown(inNext));
  EXPECT_TRUE(next->pressed());
  EXPECT_EQ(scene.CursorAt(inNext), kPressedHandCursor);
  scene.MouseMove(QPoint(-5, -5));
  EXPECT_FALSE(next->pressed());
  EXPECT_EQ(scene.MouseUp(QPoint(-5, -5)).action, ExpoMouseResult::None);  // released outside
  ASSERT_TRUE(scene.MouseDown(inNext));
  EXPECT_EQ(scene.MouseUp(inNext).action, ExpoMouseResult::Resume);
  EXPECT_EQ(scene.lastButton, "Next");

  // The close is asked of the window after the handler: the button and the scene
  // are still whole when the release returns.
  ASSERT_TRUE(scene.MouseDown(inClose));
  EXPECT_EQ(scene.MouseUp(inClose).action, ExpoMouseResult::Close);
  EXPECT_EQ(scene.objects().size(), 2u);
  EXPECT_EQ(scene.lastButton, "Close");

  next->Enable(false);
  EXPECT_FALSE(scene.MouseDown(inNext));
  scene.windowEnabled = false;
  EXPECT_FALSE(scene.MouseDown(inClose));
}

TEST(ExpoObject, RadioButtonsOfOneRunExcludeEachOther) {
  ExpoScene scene;
  scene.paused = true;
  auto* a = static_cast<CExpoCheck*>(Make(scene, kw::radio, Args({T("a"), K(kw::selected), I(1)})));
  auto* b = static_cast<CExpoCheck*>(Make(scene, kw::radio, Args({T("b")})));
  Make(scene, kw::display, Args({T("Next question")}));
  auto* c = static_cast<CExpoCheck*>(Make(scene, kw::radio, Args({T("c"), K(kw::selected), I(1)})));
  auto* box = static_cast<CExpoCheck*>(Make(scene, kw::checkbox, Args({T("d")})));
  const QPoint inB = b->rect().ToQRect().center();
  ASSERT_TRUE(scene.MouseDown(inB));
  scene.MouseUp(inB);
  EXPECT_TRUE(b->checked());
  EXPECT_FALSE(a->checked());
  EXPECT_TRUE(c->checked());  // another set
  const QPoint inBox = box->rect().ToQRect().center();
  for (bool expected : {true, false}) {
    ASSERT_TRUE(scene.MouseDown(inBox));
    scene.MouseUp(inBox);
    EXPECT_EQ(box->checked(), expected);
  }
}

TEST(ExpoObject, NamesResolveWithoutCaseThroughGroups) {
  ExpoScene scene;
  Make(scene, kw::rectangle, Args({K(kw::label), T("Red"), K(kw::size), P(10, 10)}));
  Make(scene, kw::rectangle, Args({K(kw::label), T("red"), K(kw::size), P(10, 10)}));
  Make(scene, kw::circle, Args({K(kw::label), T("Blue"), K(kw::size), P(10, 10)}));
  Make(scene, kw::circle, Args({K(kw::label), T("green"), K(kw::size), P(10, 10)}));
  ASSERT_NE(Make(scene, kw::group, Args({ScriptValue::List({T("BLUE"), T("red")}), K(kw::as), T("g1")})), nullptr);
  // Groups naming each other and themselves.
  Make(scene, kw::group, Args({ScriptValue::List({T("g3"), T("green")}), K(kw::as), T("g2")}));
  Make(scene, kw::group, Args({ScriptValue::List({T("g2"), T("g3"), T("blue")}), K(kw::as), T("g3")}));
  const auto& all = scene.objects();

  EXPECT_EQ(scene.Resolve("RED").size(), 2u);
  const auto viaGroup = scene.Resolve(ScriptValue::List({T("g1"), T("Red"), T("nothing")}));
  ASSERT_EQ(viaGroup.size(), 3u);  // blue, red, red: duplicates dropped
  EXPECT_EQ(viaGroup[0], all[2].get());
  const auto cycle = scene.Resolve("g3");
  ASSERT_EQ(cycle.size(), 2u);
  EXPECT_EQ(cycle[0], all[3].get());  // green, through g2
  EXPECT_EQ(cycle[1], all[2].get());
  EXPECT_EQ(all[6]->BoundingBox(), all[3]->rect().United(all[2]->rect()));
  EXPECT_EQ(Make(scene, kw::group, Args({})), nullptr);  // a group of nothing is discarded
}

TEST(ExpoObject, ShapeAroundNamedObjectsAndAngles) {
  ExpoScene scene;
  scene.pen = QPoint(30, 40);
  Make(scene, kw::rectangle, Args({K(kw::label), T("box"), K(kw::size), P(60, 30)}));
  auto* frame = static_cast<CExpoShape*>(Make(scene, kw::frame, Args({T("box"), K(kw::margin), I(5)})));
  EXPECT_EQ(frame->rect(), (ExpoRect{25, 35, 95, 75}));
  auto* root = static_cast<CExpoShape*>(Make(scene, kw::square_root, Args({T("box")})));
  EXPECT_EQ(root->rect(), (ExpoRect{30 - 22, 38, 90, 70}));
  // Out-of-range margins are held.
  EXPECT_EQ(static_cast<CExpoShape*>(Make(scene, kw::frame, Args({T("box"), K(kw::margin), I(-50)})))->rect(),
            (ExpoRect{30, 40, 90, 70}));

  struct Row {
    ScriptValueList args;
    double sweep;
  };
  const Row rows[] = {
      {Args({K(kw::start), I(270), K(kw::end), I(90)}), 180},
      {Args({K(kw::start), I(0), K(kw::end), I(90)}), 90},
      {Args({K(kw::start), I(45), K(kw::angle), I(30)}), 30},
      {Args({K(kw::start), I(0), K(kw::end), I(1000)}), 360},
      {Args({K(kw::start), R(1e30f), K(kw::end), I(0)}), 0},
  };
  for (const Row& r : rows) {
    ScriptValueList args = r.args;
    args.insert(args.begin(), {K(kw::size), P(50, 50)});
    auto* wedge = static_cast<CExpoShape*>(scene.Create(kw::wedge, args));
    EXPECT_DOUBLE_EQ(wedge->Sweep(), r.sweep);
  }
}

TEST(ExpoObject, ArrowHeadsFollowTheLine) {
  ExpoScene scene;
  scene.pen = QPoint(10, 10);
  auto* arrow = static_cast<CExpoShape*>(Make(scene, kw::arrow, Args({K(kw::to), P(110, 10), K(kw::head), I(12)})));
  QPointF a, b;
  ASSERT_TRUE(arrow->HeadPoints(a, b));
  EXPECT_NEAR(a.x(), 99.6, 0.1);
  EXPECT_NEAR(b.x(), 99.6, 0.1);
  EXPECT_NEAR(std::abs(a.y() - 10), 5.96, 0.05);
  EXPECT_NEAR(a.y() + b.y(), 20, 1e-9);
  // Drawn backwards, the line keeps its start and end though the rectangle is normalised.
  scene.pen = QPoint(110, 50);
  auto* back = static_cast<CExpoShape*>(Make(scene, kw::arrow, Args({K(kw::to), P(10, 50), K(kw::head), I(0)})));
  EXPECT_EQ(back->rect(), (ExpoRect{10, 50, 110, 50}));
  EXPECT_EQ(back->endPoint(), QPoint(10, 50));
  EXPECT_EQ(back->head(), 12);
  ASSERT_TRUE(back->HeadPoints(a, b));
  EXPECT_NEAR(a.x(), 20.4, 0.1);
  // No length: no head, no NaN.
  auto* dot = static_cast<CExpoShape*>(Make(scene, kw::pointer, Args({K(kw::to), P(110, 50)})));
  EXPECT_FALSE(dot->HeadPoints(a, b));
  EXPECT_FALSE(scene.Render().isNull());
}

TEST(ExpoObject, EditFieldLimitsAndMargins) {
  ExpoScene scene;
  scene.pen = QPoint(10, 10);
  auto* e = static_cast<CExpoEdit*>(Make(scene, kw::ask, Args({T("12345678901")})));
  EXPECT_EQ(e->limit(), 8);
  EXPECT_EQ(e->Text(), "12345678");
  EXPECT_EQ(scene.pen, QPoint(e->rect().right, 10));
  auto* plain = static_cast<PlainEditField*>(e->field());
  EXPECT_EQ(plain->geometry(), e->rect().ToQRect());
  const int eight = e->rect().width();

  struct Row {
    ScriptValueList args;
    int limit, margin;
  };
  const Row rows[] = {
      {Args({K(kw::length), I(4)}), 4, 0},         {Args({K(kw::length), I(0)}), 8, 0},
      {Args({K(kw::length), I(-7)}), 8, 0},        {Args({K(kw::length), I(100000)}), 255, 0},
      {Args({K(kw::margin), I(-3)}), 8, 0},        {Args({K(kw::margin), I(6)}), 8, 6},
      {Args({K(kw::margin), I(1 << 30)}), 8, 100},
  };
  for (const Row& r : rows) {
    auto* f = static_cast<CExpoEdit*>(Make(scene, kw::ask, r.args));
    EXPECT_EQ(f->limit(), r.limit);
    EXPECT_EQ(f->margin(), r.margin);
  }
  auto* wide = static_cast<CExpoEdit*>(Make(scene, kw::ask, Args({K(kw::margin), I(6)})));
  EXPECT_EQ(wide->rect().width(), eight + 12);
  auto* under = static_cast<CExpoEdit*>(Make(scene, kw::ask, Args({K(kw::underline), I(1)})));
  EXPECT_FALSE(static_cast<PlainEditField*>(under->field())->border());
  scene.Select(under);
  EXPECT_TRUE(static_cast<PlainEditField*>(under->field())->focused());
  EXPECT_FALSE(e->selected());
}

TEST(ExpoObject, PictureSizesAndMissingPictures) {
  TestHost host;
  host.pictures["dog"] = QImage(30, 20, QImage::Format_RGB32);
  ExpoScene scene(&host);
  scene.pen = QPoint(0, 0);
  struct Row {
    ScriptValueList args;
    ExpoRect rect;
  };
  const Row rows[] = {
      {Args({T("dog")}), {0, 0, 30, 20}},
      {Args({T("dog"), K(kw::size), I(50)}), {0, 0, 16, 10}},  // 15 rounded up to a multiple of 4
      {Args({T("dog"), K(kw::size), I(0)}), {0, 0, 30, 20}},
      {Args({T("dog"), K(kw::size), I(-20)}), {0, 0, 30, 20}},
      {Args({T("dog"), K(kw::size), I(1 << 30)}), {0, 0, 30, 20}},
      {Args({T("cat")}), {0, 0, 0, 0}},
  };
  for (const Row& r : rows) {
    scene.pen = QPoint(0, 0);
    CExpoObject* p = Make(scene, kw::picture, r.args);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->rect(), r.rect);
  }
  // A missing picture answers no click; a present one records its name.
  scene.paused = true;
  EXPECT_FALSE(static_cast<CExpoPicture*>(scene.objects().back().get())->Clickable());
  scene.Clear();
  scene.pen = QPoint(0, 0);
  Make(scene, kw::picture, Args({T("dog"), K(kw::mousedown), I(1)}));
  ExpoMouseResult r;
  ASSERT_TRUE(scene.MouseDown(QPoint(5, 5), &r));
  EXPECT_EQ(r.action, ExpoMouseResult::Resume);
  EXPECT_EQ(scene.lastButton, "dog");
}

TEST(ExpoObject, MoviesTakeTheirSizeAndFollowTheNarration) {
  TestHost host;
  ExpoScene scene(&host);
  scene.position = Seconds(4);
  auto* m = static_cast<CExpoMovie*>(Make(scene, kw::movie, Args({T("CLIP"), K(kw::palindrome), I(1)})));
  ASSERT_NE(host.lastMovie, nullptr);
  EXPECT_EQ(m->rect().width(), 40);
  EXPECT_EQ(m->LengthSamples(), Seconds(6));
  EXPECT_TRUE(host.lastMovie->palindrome);
  scene.position = Seconds(5);
  scene.FollowPlayback(true);
  EXPECT_EQ(host.lastMovie->at, Seconds(1));
  EXPECT_TRUE(host.lastMovie->playing);
  auto* missing = Make(scene, kw::movie, Args({T("none")}));
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->rect().empty());
}

TEST(ExpoObject, HiliteWidthAndBlockingEntrance) {
  TestHost host;
  host.step = 100;
  ExpoScene scene(&host);
  for (int width : {0, -4}) {
    auto* h = static_cast<CExpoHilite*>(Make(scene, kw::hilite, Args({K(kw::size), P(80, 40), K(kw::width), I(width)})));
    EXPECT_EQ(h->strokeWidth(), 1);
    EXPECT_EQ(h->SegmentCount(), 60 * 24 / 2);
  }
  host.frames.clear();
  auto* h = Make(scene, kw::hilite, Args({K(kw::size), P(80, 40)}));
  EXPECT_EQ(h->alpha(), 128);
  EXPECT_EQ(h->overlay(), 1);
  // One second on a clock that moves 100 ms a call (and wraps its 32 bits).
  EXPECT_GE(host.frames.size(), 4u);
  EXPECT_LE(host.frames.size(), 11u);
  EXPECT_EQ(host.frames.back(), 1.0);
  EXPECT_EQ(h->transition().duration, 0);

  // A duration too long for 32 bits is capped at five seconds.
  host.frames.clear();
  Make(scene, kw::iris, Args({K(kw::size), P(20, 20), K(kw::duration), R(1e9f)}));
  EXPECT_GE(host.frames.size(), 24u);
  EXPECT_LE(host.frames.size(), 52u);
  // Fast-forwarding skips the entrance.
  host.frames.clear();
  scene.fastForwarding = true;
  Make(scene, kw::iris, Args({K(kw::size), P(20, 20)}));
  EXPECT_TRUE(host.frames.empty());
}

TEST(ExpoObject, FadeEntranceRunsWithThePosition) {
  ExpoScene scene;
  scene.position = Seconds(10);
  CExpoObject* o = Make(scene, kw::rectangle, Args({K(kw::size), P(20, 20), K(kw::fade), I(2)}));
  EXPECT_EQ(o->transition().kind, kw::fade);
  EXPECT_DOUBLE_EQ(o->transition().fade, 1.0);
  scene.Step(Seconds(11));
  EXPECT_DOUBLE_EQ(o->transition().fade, 0.5);
  scene.Step(Seconds(12));
  EXPECT_EQ(o->transition().kind, 0);
  EXPECT_EQ(o->transition().fade, 0);
  // Without a duration a transition word is dropped; a dance stays.
  EXPECT_EQ(Make(scene, kw::rectangle, Args({K(kw::direction), I(kw::left)}))->transition().kind, 0);
  CExpoObject* d = Make(scene, kw::rectangle, Args({K(kw::dance), I(kw::bands), K(kw::frequency), I(0)}));
  EXPECT_EQ(d->transition().kind, kw::dance);
  EXPECT_EQ(d->transition().frequency, 1);
  scene.Step(Seconds(500));
  EXPECT_EQ(d->transition().kind, kw::dance);
}

TEST(ExpoObject, ClearWithWipeLeavesTheOtherWayAndIsRemoved) {
  ExpoScene scene;
  CExpoObject* o = Make(scene, kw::rectangle, Args({K(kw::size), P(100, 10)}));
  o->StartTransition(kw::wipe, Seconds(1), kw::left, false, Seconds(20));
  EXPECT_EQ(o->transition().parameter, kw::right);
  EXPECT_EQ(scene.Step(Seconds(20.5)), 0);
  EXPECT_EQ(o->transition().visible.width(), 50);
  // A seek back before the exit keeps it pending rather than forgetting it.
  EXPECT_EQ(scene.Step(Seconds(19)), 0);
  EXPECT_EQ(o->transition().kind, kw::wipe);
  EXPECT_FALSE(o->transition().entrance);
  EXPECT_EQ(scene.Step(Seconds(21)), 1);
  EXPECT_TRUE(scene.objects().empty());
}

TEST(ExpoObject, SlidesFreezeWhenPausedAndNeverPassTheirOrigin) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  CExpoObject* o = Make(scene, kw::rectangle, Args({K(kw::size), P(10, 10)}));
  o->Move(QPoint(100, 50), false, Seconds(2), Seconds(5));
  EXPECT_EQ(o->BoundingBox(true).topLeft(), QPoint(100, 50));
  EXPECT_EQ(o->BoundingBox(false).topLeft(), QPoint(0, 0));
  scene.Step(Seconds(6));
  EXPECT_EQ(o->rect().topLeft(), QPoint(50, 25));
  scene.Step(Seconds(6));  // paused: the position does not move
  EXPECT_EQ(o->rect().topLeft(), QPoint(50, 25));
  scene.Step(Seconds(3));  // a seek back before the start
  EXPECT_EQ(o->rect().topLeft(), QPoint(0, 0));
  EXPECT_TRUE(o->movement().moving);
  scene.Step(Seconds(6.5));
  EXPECT_EQ(o->rect().topLeft(), QPoint(75, 37));
  scene.Step(Seconds(9));
  EXPECT_EQ(o->rect().topLeft(), QPoint(100, 50));
  EXPECT_FALSE(o->movement().moving);
  o->Move(QPoint(-10, 5), true, 0, Seconds(9));
  EXPECT_EQ(o->rect(), (ExpoRect{90, 55, 100, 65}));
}

TEST(ExpoObject, TransitionAndMovementShareTheirStart) {
  ExpoScene scene;
  scene.position = Seconds(10);
  CExpoObject* o = Make(scene, kw::rectangle, Args({K(kw::size), P(10, 10), K(kw::grow), I(2)}));
  scene.Step(Seconds(11));
  EXPECT_DOUBLE_EQ(o->transition().grow, 0.5);
  o->Move(QPoint(40, 0), true, Seconds(1), Seconds(11));  // the last to start sets the start
  scene.Step(Seconds(11));
  EXPECT_DOUBLE_EQ(o->transition().grow, 1.0);
  scene.Step(Seconds(12));
  EXPECT_DOUBLE_EQ(o->transition().grow, 0.5);
}

TEST(ExpoObject, TextReplacesMacBytesAndMovesThePen) {
  ExpoScene scene;
  scene.pen = QPoint(10, 10);
  CExpoObject* t = Make(scene, kw::display, Args({T("\xD2Hi\xD3")}));
  EXPECT_EQ(t->Text(), "\"Hi\"");
  EXPECT_EQ(t->textAttributes().flags & kFontSymbol, 0u);
  EXPECT_EQ(scene.pen, QPoint(t->rect().right, 10));
  CExpoObject* s = Make(scene, kw::display, Args({T("\xB7x<br>y\xA6z")}));
  EXPECT_NE(s->textAttributes().flags & kFontSymbol, 0u);
  ASSERT_EQ(static_cast<CExpoText*>(s)->lines().size(), 3u);
  EXPECT_EQ(scene.pen, QPoint(t->rect().right, s->rect().bottom));
  CExpoObject* big = Make(scene, kw::display, Args({T("Big"), K(kw::size), I(30), K(kw::style), K(kw::bold)}));
  EXPECT_EQ(big->textAttributes().size, 30);
  EXPECT_EQ(scene.text.size, 30);
  EXPECT_NE(scene.text.flags & kFontBold, 0u);
  EXPECT_GE(big->rect().height(), 31);

  scene.pen = QPoint(0, 0);
  scene.area = QSize(120, 400);
  auto* wrapped = static_cast<CExpoText*>(
      Make(scene, kw::display, Args({T("one two three four five six seven eight nine ten"), K(kw::wrap), I(1)})));
  EXPECT_GT(wrapped->lines().size(), 2u);
  EXPECT_LE(wrapped->rect().width(), 120);
  // A centred text lands in the middle and leaves the pen at its right edge.
  scene.pen = QPoint(-1, 300);
  CExpoObject* c = Make(scene, kw::display, Args({T("mid")}));
  EXPECT_NEAR(c->rect().left + c->rect().width() / 2, 60, 1);
  EXPECT_EQ(scene.pen.x(), c->rect().right);
}

TEST(ExpoObject, SnapshotDescribesEveryObject) {
  ExpoScene scene;
  scene.position = Seconds(1);
  scene.pen = QPoint(5, 6);
  Make(scene, kw::rectangle,
       Args({K(kw::label), T("box"), K(kw::size), P(10, 20), K(kw::color), C(255, 0, 16), K(kw::wipe), I(2),
             K(kw::direction), I(kw::bands)}));
  scene.objects()[0]->Move(QPoint(1, 1), true, Seconds(1), Seconds(1));
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(scene.SnapshotJson()));
  ASSERT_TRUE(doc.isObject());
  const QJsonObject o = doc.object()["objects"].toArray()[0].toObject();
  EXPECT_EQ(o["kind"].toString(), "shape");
  EXPECT_EQ(o["kind_number"].toInt(), 6);
  EXPECT_EQ(o["name"].toString(), "box");
  EXPECT_EQ(o["rect"].toArray(), QJsonArray({5, 6, 15, 26}));
  EXPECT_EQ(o["color"].toString(), "#ff0010");
  EXPECT_EQ(o["form"].toString(), "rectangle");
  EXPECT_EQ(o["transition"].toObject()["kind"].toString(), "wipe");
  EXPECT_EQ(o["transition"].toObject()["parameter"].toString(), "bands");
  EXPECT_EQ(o["transition"].toObject()["band_mask"].toInt(), 0);
  EXPECT_TRUE(o["movement"].toObject()["moving"].toBool());
  EXPECT_EQ(o["movement"].toObject()["destination"].toArray(), QJsonArray({6, 7}));
  EXPECT_TRUE(o["visible"].toBool());
}
