#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>

#include "foundation/RANDOM.h"
#include "support/support.h"
#include "support/vector.h"
#include "vector/LSCRLXYZ.h"
#include "vector/OBJ2D.h"

TEST(LscrlxyzWaves, NewStepAndDraw)
{
    RANDOM_srand(99);
    LSCRLXYZ* s = LSCRLXYZ_new();   // the wave settings from the draws after seed 99
    EXPECT_EQ(std::tuple(s->xSpeed, s->xAmplitude, s->yAmplitude, s->scaleAmplitude, s->xPhase), std::tuple(25, 47, 95, 2, 0));
    support::Picture target(40, 40);
    LFONT* f = support::dotFont();
    LSCRLXYZ_set(s, "pq", f, target.img);
    s->xSpeed = 10;
    s->xStep = 100;
    s->speed = 1;
    LSCRLXYZ_step(s);   // no character passes: speed only
    EXPECT_EQ(s->xPhase, 10);
    s->speed = 4;
    LSCRLXYZ_step(s);   // one character passes: step, then speed
    EXPECT_EQ(std::pair(s->xPhase, s->cursor->index), std::pair(120, 1));
    s->xPhase = 1020;
    s->speed = -4;
    LSCRLXYZ_step(s);   // backwards: the phase shrinks by the step
    EXPECT_EQ(s->xPhase, 930);

    // With no amplitudes the wave draw is the plain draw.
    s->xAmplitude = s->yAmplitude = s->scaleAmplitude = 0;
    s->offset = 0;
    s->y = 5;
    LSCRLXYZ_drawWave(s);
    EXPECT_EQ(support::row(target.img, 5, 4), "pqpqpqpqpq");
    s->scaleAmplitude = 8;
    s->scalePhase = 256;
    LSCRLXYZ_drawWave(s);
    EXPECT_EQ(std::pair(f->scale->x, f->scale->y), std::pair(1, 1));   // restored after the pulse
    LSCRLXYZ_free(&s);
    LFONT_free(&f);
}
