#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "vector/OBJ2D.h"
#include "support/support.h"

namespace {

using Ends = std::array<std::int32_t, 4>;

// Parses text (or bytes) and takes the list apart into a vector the test owns.
struct Parsed {
    std::vector<OBJ2D*> objects;
    bool ok = false;
    explicit Parsed(const std::string& text) { take(OBJ2D_parse(text.c_str())); }
    explicit Parsed(std::span<const std::uint8_t> bytes) { take(OBJ2D_parse(bytes)); }
    ~Parsed()
    {
        for (OBJ2D* o : objects)
            if (o != nullptr) OBJ2D_free(&o);
    }
    void take(LIST* list)
    {
        if (list == nullptr) return;
        ok = true;
        for (std::int32_t i = 0; i < list->count; ++i) objects.push_back(static_cast<OBJ2D*>(list->items[i]));
        LIST_free(&list);
    }
    std::size_t size() const { return objects.size(); }
    OBJ2D* operator[](std::size_t i) const { return objects[i]; }
};

const SEG2D* segAt(const OBJ2D* o, std::int32_t i) { return static_cast<const SEG2D*>(o->segments->items[i]); }

Ends ends(const OBJ2D* o, std::int32_t i)
{
    const SEG2D* s = segAt(o, i);
    return {s->start->x, s->start->y, s->end->x, s->end->y};
}

}  // namespace

// Objects read; segment count, first segment and name of the first. In order: a lone "-" carries over.
TEST(Obj2dParse, TextsAndWhatTheyGive)
{
    struct Row { std::string text; std::size_t objects; std::int32_t segments; Ends first; const char* name; };
    const Row rows[] = {
        {"# a font\n\n   # another line\n#\n", 0, 0, {}, nullptr},
        {"{\nname pear\ns 3, 0, 3, 4\n  s 12,0,14,2,\n}\n", 1, 2, {3, 0, 3, 4}, "pear"},
        // Three numbers, then an "s" that starts nothing: 4 completes the segment, 5 6 7 are ignored.
        {"{\ns 1 2 3\ns 4 5 6 7\n}\n", 1, 1, {1, 2, 3, 4}, nullptr},
        {"{ s -3, 4, 5, -6 }\n", 1, 1, {-3, 4, 5, -6}, nullptr},
        {"{ s 1 2 3 4}\n{ s 5 6 7 8 }\n", 1, 2, {1, 2, 3, 4}, nullptr},   // "4}" is one word, the second "{" ignored
        {"{ color 7 s 1 - $AACCEE 2 3 4 }\n", 1, 1, {1, -2, 3, 4}, nullptr},   // "-" waits for a decimal
        {"{ NAME Apple pie\ns 0 0 1 1\n}\n", 1, 1, {0, 0, 1, 1}, "Apple pie"},
        {"{ name\n\n  banana\n}\n", 1, 0, {}, "banana"},
        {"{ names x\n}\n", 1, 0, {}, nullptr},                    // not the keyword
        {"name pear\n{ }\n", 1, 0, {}, nullptr},                 // a name outside a block is not kept
        {"{ }\n{ s 0 0 1 1 }", 1, 0, {}, nullptr},                // "}" right at the end is not acted on
        {"{ name tail\n}\n{ name last", 1, 0, {}, "tail"},
        {"{ name " + std::string(3000, 'n'), 0, 0, {}, nullptr},
        {std::string(10000, 'w'), 0, 0, {}, nullptr},
        // Words are cut at 255 bytes and the rest is the next token.
        {"{ s 1 2 3 " + std::string(255, 'q') + "4 }\n", 1, 1, {1, 2, 3, 4}, nullptr},
        // Values wrap in 32 bits: 2^32 + 1 reads as 1, forty nines as -1.
        {"{ s 0 0 4294967297 " + std::string(40, '9') + " }\n", 1, 1, {0, 0, 1, -1}, nullptr},
        {"-\n", 0, 0, {}, nullptr},
        {"{ s 5 1 2 3 }\n{ s 5 1 2 3 }\n", 2, 1, {-5, 1, 2, 3}, nullptr},
        {"{ s 5 1 2 3 }\n", 1, 1, {5, 1, 2, 3}, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 40));
        Parsed p(r.text);
        ASSERT_TRUE(p.ok);
        ASSERT_EQ(p.size(), r.objects);
        if (r.objects == 0) continue;
        ASSERT_EQ(p[0]->segments->count, r.segments);
        EXPECT_EQ(r.segments > 0 ? ends(p[0], 0) : Ends{}, r.first);
        EXPECT_STREQ(p[0]->name, r.name);   // two nulls compare equal
    }
}

TEST(Obj2dParse, ObjectsFieldsColoursAndBadInput)
{
    Parsed fields("version 1\n{ Version , 20130903\nAUTHOR  A. Person\ntype 2D\n}\n");
    EXPECT_STREQ(fields[0]->version, "20130903");
    EXPECT_STREQ(fields[0]->author, "A. Person");
    EXPECT_STREQ(fields[0]->type, "2D");

    // A colour holds for the rest of the parse; a hex value with no colour word pending is ignored.
    Parsed c("color $ff0000\n{ s 0 0 1 1 }\n{ s 2 2 3 3 }\n{ colour x00ff00 s 4 4 5 5 }\n"
             "{ c h0000FF s 1 1 1 1 }\n{ color 7 s 1 - $AACCEE 2 3 4 }\n{ $ff s 0 0 1 1 }\n");
    ASSERT_EQ(c.size(), 6u);
    const std::uint32_t colours[] = {0xff0000u, 0xff0000u, 0x00ff00u, 0x0000ffu, 0xAACCEEu, 0xAACCEEu};
    for (std::size_t i = 0; i < c.size(); ++i)
        EXPECT_EQ(std::pair(segAt(c[i], 0)->start->colour, segAt(c[i], 0)->end->colour), std::pair(colours[i], colours[i])) << i;

    EXPECT_EQ(support::printed(OBJ2D_debug, [&] {
        EXPECT_EQ(OBJ2D_parse(static_cast<const char*>(nullptr)), nullptr);
        EXPECT_EQ(Parsed("s 1 2 3 4\n").size(), 0u);   // a segment completed outside a block is dropped
    }), "OBJ2D error\nOBJ2D error\n");

    // A "}" with no open block gives a null entry; a "{" inside one is ignored.
    Parsed braces("}\n" + std::string(5000, '{') + "\n" + std::string(5000, '}') + "\n");
    ASSERT_EQ(braces.size(), 5001u);
    EXPECT_EQ(braces[0], nullptr);
    EXPECT_EQ(braces[1]->farthest, -1);
    EXPECT_EQ(braces[2], nullptr);

    // Bytes without a terminating zero: the parse stops at their end.
    const std::string unended = "{ s 1 2 3 4 }\n{ #";
    Parsed bytes(std::span(reinterpret_cast<const std::uint8_t*>(unended.data()), unended.size()));
    ASSERT_EQ(bytes.size(), 1u);
    EXPECT_EQ(bytes[0]->segments->count, 1);
}

TEST(Obj2dDraw, TransformsCopyCloneAndFarthest)
{
    Parsed p("{ s 0 0 10 0 }\n");
    OBJ2D* o = p[0];
    o->angle = 256;
    o->scale->x = -1;
    o->position->x = 12;
    o->position->y = 3;
    OBJ2D_applyTransform(o);   // mirrored, turned a quarter (-10 * 32766 >> 15 floors), then moved
    EXPECT_EQ(ends(o, 0), (Ends{12, 3, 12, -7}));

    Parsed e("{ s 1 2 3 4 s -5 6 7 8 }\n{ s 0 0 0 0 }\n{ name kiwi\n}\n");
    OBJ2D* a = e[0];
    OBJ2D* b = e[1];
    EXPECT_EQ(a->points->items[2], segAt(a, 1)->start);   // segments hold the object's points
    a->angle = 9;
    a->position->x = 11;
    OBJ2D_copy(e[2], a);   // 0 points against 4: refused
    EXPECT_EQ(a->name, nullptr);
    OBJ2D_copy(a, b);      // 4 points against 2: refused
    EXPECT_EQ(b->angle, 0);

    a->name = static_cast<char*>(std::malloc(5));
    std::memcpy(a->name, "lime", 5);
    OBJ2D* c = OBJ2D_clone(a);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->angle, 9);
    EXPECT_STREQ(c->name, "lime");
    EXPECT_NE(c->name, a->name);   // each object owns its texts

    OBJ2D_moveSegments(c);
    EXPECT_EQ(ends(c, 0), (Ends{12, 2, 14, 4}));
    OBJ2D_multiply(c, 3);
    OBJ2D_divide(c, -4);
    EXPECT_EQ(ends(c, 1), (Ends{-4, -4, -13, -6}));   // 18 / -4 truncates toward zero
    OBJ2D_setColor(c, 0xabcdef);
    EXPECT_EQ(segAt(c, 1)->end->colour, 0xabcdefu);
    OBJ2D_free(&c);

    // The farthest point: only end points are tested when adding, every point on a search.
    Parsed f("{ s 10 10 1 1 s 0 0 1 -1 }\n{ s 0 0 0 0 }\n");
    OBJ2D* g = f[0];
    EXPECT_EQ(g->farthest, 1);   // a tie keeps the old one
    EXPECT_EQ(OBJ2D_isFarther(g, 0), 1);
    OBJ2D_findFarthest(g);
    EXPECT_EQ(g->farthest, 0);

    OBJ2D* zero = f[1];
    zero->farthest = 5;
    OBJ2D_findFarthest(zero);
    EXPECT_EQ(zero->farthest, 5);             // every point at the origin: unchanged
    EXPECT_EQ(OBJ2D_isFarther(zero, 0), 1);   // an invalid farthest always loses
    EXPECT_EQ(OBJ2D_isFarther(zero, 2), 0);   // no such point
}

TEST(Obj2dCollide, ByBoxesWithoutOverflow)
{
    struct Row { const char* other; std::int32_t x, collides; };
    const Row rows[] = {
        {"{ s 0 10 10 0 }", 0, 1},    // crossing
        {"{ s 0 20 10 20 }", 0, 0},   // boxes do not meet
        {"{ s 2 0 12 10 }", 0, 1},    // parallel, but the boxes meet
        {"{ s -2147483648 -2147483648 2147483647 2147483647 }", INT32_MAX, 1},   // an answer, no overflow
        {"{ }", 0, 0},                // empty
    };
    Parsed a("{ s 0 0 10 10 }\n");
    for (const Row& r : rows) {
        Parsed b(std::string(r.other) + "\n");
        b[0]->position->x = r.x;
        EXPECT_EQ(OBJ2D_collide(a[0], b[0]), r.collides) << r.other << " at " << r.x;
        EXPECT_EQ(OBJ2D_collide(b[0], a[0]), r.collides) << r.other << " at " << r.x;
    }
}
