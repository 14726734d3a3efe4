// The tick against a peer: Box2D 2.4 stepping the same balls as circles in
// the same field (no gravity, no friction, restitution 1), timed side by side.

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <memory>

#include "bench/bench_scenes.h"
#include "physics/tick.h"

namespace {

// Box2D is tuned for bodies of a metre or so: ten pixels make one metre, and
// one tick is a 1/60 s step.
constexpr float kMetresPerPixel = 0.1f;
constexpr float kStep = 1.0f / 60;

b2Vec2 Metres(float x, float y) { return b2Vec2(x * kMetresPerPixel, y * kMetresPerPixel); }

// The default scene's walls as static edges, its circles as static discs, and the balls.
std::unique_ptr<b2World> PeerWorld(const std::vector<pinball>& balls) {
  auto world = std::make_unique<b2World>(b2Vec2(0, 0));
  world->SetAllowSleeping(false);
  b2BodyDef groundDef;
  b2Body* ground = world->CreateBody(&groundDef);
  for (const Lines& w : LinesList) {
    if (w.x1 == w.x2 && w.y1 == w.y2) continue;
    b2EdgeShape edge;
    edge.SetTwoSided(Metres(w.x1, w.y1), Metres(w.x2, w.y2));
    ground->CreateFixture(&edge, 0);
  }
  for (const Circle& c : circlist) {
    b2CircleShape disc;
    disc.m_p = Metres(c.Getoriginx(), c.Getoriginy());
    disc.m_radius = c.Getradius() * kMetresPerPixel;
    ground->CreateFixture(&disc, 0);
  }
  for (const pinball& ball : balls) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position = Metres(ball.Getoriginx(), ball.Getoriginy());
    const float perSecond = ball.getspeed() / kStep;
    def.linearVelocity = Metres(ball.getvecX() * perSecond, ball.getvecY() * perSecond);
    b2Body* body = world->CreateBody(&def);
    b2CircleShape disc;
    disc.m_radius = ball.Getradius() * kMetresPerPixel;
    b2FixtureDef fixture;
    fixture.shape = &disc;
    fixture.density = 1;
    fixture.friction = 0;
    fixture.restitution = 1;
    body->CreateFixture(&fixture);
  }
  return world;
}

void BM_TickVsBox2D(benchmark::State& state) {
  std::vector<pinball> balls = bench::DefaultSceneWithBalls(state.range(0));
  std::unique_ptr<b2World> world = PeerWorld(balls);
  // Both first settle the overlaps they start with; then each runs a block of
  // ticks in turn, so that neither runs on caches the other has just filled.
  // (Box2D takes seconds a step with 10,000 overlapping circles: shorter blocks there.)
  const int kBlock = state.range(0) >= 10000 ? 2 : 10;
  for (int k = 0; k < kBlock; ++k) {
    TickBalls(balls, LinesList, circlist);
    world->Step(kStep, 8, 3);
  }
  bench::SideBySide(
      state, "tick_us",
      [&] {
        for (int k = 0; k < kBlock; ++k) TickBalls(balls, LinesList, circlist);
      },
      "box2d_us",
      [&] {
        for (int k = 0; k < kBlock; ++k) world->Step(kStep, 8, 3);
      },
      "box2d_over_tick", kBlock);
}
BENCHMARK(BM_TickVsBox2D)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickVsBox2D)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
