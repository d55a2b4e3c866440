#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/RANDOM.h"
#include "support/support.h"
#include "support/vector.h"
#include "vector/LSCRLXYZ.h"
#include "vector/OBJ2D.h"

TEST(LscrlxyzWaves, NewStepAndDraw)
{
    RANDOM_srand(99);
    LSCRLXYZ* s = LSCRLXYZ_new();   // the wave settings from the draws after seed 99
    EXPECT_EQ(s->xSpeed, 25);
    EXPECT_EQ(s->xAmplitude, 47);
    EXPECT_EQ(s->yAmplitude, 95);
    EXPECT_EQ(s->scaleAmplitude, 2);
    EXPECT_EQ(s->xPhase, 0);
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
    EXPECT_EQ(s->xPhase, 120);
    EXPECT_EQ(s->cursor->index, 1);
    s->xPhase = 1020;
    s->speed = -4;
    LSCRLXYZ_step(s);   // backwards: the phase shrinks by the step
    EXPECT_EQ(s->xPhase, 930);

    // With no amplitudes the wave draw is the plain draw.
    s->xAmplitude = s->yAmplitude = s->scaleAmplitude = 0;
    s->offset = 0;
    s->y = 5;
    f->scale->x = 1;
    LSCRLXYZ_drawWave(s);
    EXPECT_EQ(support::row(target.img, 5, 4), "pqpqpqpqpq");
    s->scaleAmplitude = 8;
    s->scalePhase = 256;
    LSCRLXYZ_drawWave(s);
    EXPECT_EQ(f->scale->x, 1);   // restored after the pulse
    EXPECT_EQ(f->scale->y, 1);
    LSCRLXYZ_free(&s);
    LFONT_free(&f);
}
