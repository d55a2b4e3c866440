#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/ASSETS.h"
#include "vector/OBJ2D.h"
#include "support/support.h"

namespace {

// Parses text and takes the list apart into a vector the test owns.
struct Parsed {
    std::vector<OBJ2D*> objects;
    bool ok = false;
    explicit Parsed(const std::string& text)
    {
        LIST* list = OBJ2D_parse(text.c_str());
        if (list == nullptr) return;
        ok = true;
        for (std::int32_t i = 0; i < list->count; ++i) objects.push_back(static_cast<OBJ2D*>(list->items[i]));
        LIST_free(&list);
    }
    ~Parsed()
    {
        for (OBJ2D* o : objects)
            if (o != nullptr) OBJ2D_free(&o);
    }
    std::size_t size() const { return objects.size(); }
    OBJ2D* operator[](std::size_t i) const { return objects[i]; }
};

struct Seg {
    std::int32_t x0, y0, x1, y1;
    std::uint32_t c0, c1;
};

Seg segOf(const OBJ2D* o, std::int32_t i)
{
    const SEG2D* s = static_cast<const SEG2D*>(o->segments->items[i]);
    return {s->start->x, s->start->y, s->end->x, s->end->y, s->start->colour, s->end->colour};
}

OBJ2D* objectWith(std::initializer_list<Seg> segs)
{
    OBJ2D* o = OBJ2D_new();
    for (const Seg& s : segs) {
        SEG2D* seg = SEG2D_new();
        seg->start->x = s.x0;
        seg->start->y = s.y0;
        seg->end->x = s.x1;
        seg->end->y = s.y1;
        OBJ2D_addSegment(o, seg);
    }
    return o;
}

std::int32_t litCount(const IMG* image)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < image->width * image->height; ++i) n += image->pixels[i] != 0;
    return n;
}

}  // namespace

TEST(Obj2dParse, CommentsAndEmptyBlocks)
{
    Parsed comments("# a font\n\n   # another line\n#\n");
    ASSERT_TRUE(comments.ok);
    EXPECT_EQ(comments.size(), 0u);

    Parsed empty("{ }\n");
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0]->segments->count, 0);
    EXPECT_EQ(empty[0]->points->count, 0);
    EXPECT_EQ(empty[0]->farthest, -1);
    EXPECT_EQ(empty[0]->name, nullptr);

    Parsed lone("}\n{ }\n");   // a "}" with no open block gives a null entry
    ASSERT_EQ(lone.size(), 2u);
    EXPECT_EQ(lone[0], nullptr);
    EXPECT_NE(lone[1], nullptr);
}

TEST(Obj2dParse, SegmentNumbers)
{
    Parsed p("{\nname pear\ns 3, 0, 3, 4\n  s 12,0,14,2,\n}\n");
    ASSERT_EQ(p.size(), 1u);
    ASSERT_EQ(p[0]->segments->count, 2);
    EXPECT_STREQ(p[0]->name, "pear");
    const Seg a = segOf(p[0], 0);
    const Seg b = segOf(p[0], 1);
    EXPECT_EQ(a.x0, 3); EXPECT_EQ(a.y0, 0); EXPECT_EQ(a.x1, 3); EXPECT_EQ(a.y1, 4);
    EXPECT_EQ(b.x0, 12); EXPECT_EQ(b.y0, 0); EXPECT_EQ(b.x1, 14); EXPECT_EQ(b.y1, 2);
    EXPECT_EQ(p[0]->points->items[2], static_cast<SEG2D*>(p[0]->segments->items[1])->start);

    // Three numbers, then a second "s" that starts nothing: 4 completes the
    // open segment and 5, 6, 7 are ignored.
    Parsed three("{\ns 1 2 3\ns 4 5 6 7\n}\n");
    ASSERT_EQ(three.size(), 1u);
    ASSERT_EQ(three[0]->segments->count, 1);
    const Seg t = segOf(three[0], 0);
    EXPECT_EQ(t.x0, 1); EXPECT_EQ(t.y0, 2); EXPECT_EQ(t.x1, 3); EXPECT_EQ(t.y1, 4);

    Parsed signs("{ s -3, 4, 5, -6 }\n");
    ASSERT_EQ(signs[0]->segments->count, 1);
    const Seg s = segOf(signs[0], 0);
    EXPECT_EQ(s.x0, -3); EXPECT_EQ(s.y0, 4); EXPECT_EQ(s.x1, 5); EXPECT_EQ(s.y1, -6);
}

TEST(Obj2dParse, BraceGluedToNumberKeepsBlockOpen)
{
    Parsed glued("{ s 1 2 3 4}\n");   // "4}" is one word: the block never closes
    EXPECT_EQ(glued.size(), 0u);
    Parsed closed("{ s 1 2 3 4}\n{ s 5 6 7 8 }\n");   // the second "{" is ignored
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0]->segments->count, 2);
}

TEST(Obj2dParse, ColourIsParseWide)
{
    Parsed p("color $ff0000\n{ s 0 0 1 1 }\n{ s 2 2 3 3 }\n{ colour x00ff00 s 4 4 5 5 }\n{ c h0000FF s 1 1 1 1 }\n");
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(segOf(p[0], 0).c0, 0xff0000u);
    EXPECT_EQ(segOf(p[0], 0).c1, 0xff0000u);
    EXPECT_EQ(segOf(p[1], 0).c1, 0xff0000u);   // no colour line: still red
    EXPECT_EQ(segOf(p[2], 0).c0, 0x00ff00u);
    EXPECT_EQ(segOf(p[3], 0).c0, 0x0000ffu);

    // A decimal after "color" leaves the colour pending for the next hex value,
    // and "-" before a hex value waits for the next decimal.
    Parsed pending("{ color 7 s 1 - $AACCEE 2 3 4 }\n");
    ASSERT_EQ(pending[0]->segments->count, 1);
    const Seg s = segOf(pending[0], 0);
    EXPECT_EQ(s.x0, 1);
    EXPECT_EQ(s.y0, -2);
    EXPECT_EQ(s.c0, 0xAACCEEu);

    Parsed hexNoColour("{ $ff s 0 0 1 1 }\n");   // no colour pending: ignored
    EXPECT_EQ(segOf(hexNoColour[0], 0).c0, 0u);
}

TEST(Obj2dParse, Keywords)
{
    Parsed caps("{ NAME Apple pie\ns 0 0 1 1\n}\n");
    ASSERT_EQ(caps.size(), 1u);
    EXPECT_STREQ(caps[0]->name, "Apple pie");

    Parsed nextLine("{ name\n\n  banana\n}\n");
    EXPECT_STREQ(nextLine[0]->name, "banana");

    Parsed longer("{ names x\n}\n");   // not the keyword
    EXPECT_EQ(longer[0]->name, nullptr);

    Parsed fields("name font\nversion 1\n{ Version , 20130903\nAUTHOR  A. Person\ntype 2D\n}\n");
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0]->name, nullptr);   // the file's name is not kept
    EXPECT_STREQ(fields[0]->version, "20130903");
    EXPECT_STREQ(fields[0]->author, "A. Person");
    EXPECT_STREQ(fields[0]->type, "2D");
}

TEST(Obj2dParse, EndOfText)
{
    Parsed lastBrace("{ }\n{ s 0 0 1 1 }");   // "}" right before the end is not acted on
    EXPECT_EQ(lastBrace.size(), 1u);
    Parsed nameAtEnd("{ name");
    EXPECT_EQ(nameAtEnd.size(), 0u);
    Parsed nameLine("{ name tail\n}\n{ name last");
    ASSERT_EQ(nameLine.size(), 1u);
    EXPECT_STREQ(nameLine[0]->name, "tail");
}

TEST(Obj2dParse, SignSurvivesBetweenParses)
{
    Parsed minus("-\n");
    EXPECT_EQ(minus.size(), 0u);
    Parsed p("{ s 5 1 2 3 }\n{ s 5 1 2 3 }\n");
    EXPECT_EQ(segOf(p[0], 0).x0, -5);
    EXPECT_EQ(segOf(p[1], 0).x0, 5);
}

TEST(Obj2dParse, BadInputStaysInsideTheText)
{
    EXPECT_EQ(support::printed(OBJ2D_debug, [&] {
        EXPECT_EQ(OBJ2D_parse(static_cast<const char*>(nullptr)), nullptr);
        EXPECT_EQ(Parsed("s 1 2 3 4\n").size(), 0u);   // a segment completed outside a block is dropped
    }), "OBJ2D error\nOBJ2D error\n");

    // Words are cut at 255 bytes and the rest is the next token.
    Parsed cut("{ s 1 2 3 " + std::string(255, 'q') + "4 }\n");
    ASSERT_EQ(cut.size(), 1u);
    ASSERT_EQ(cut[0]->segments->count, 1);
    EXPECT_EQ(segOf(cut[0], 0).y1, 4);

    // Values wrap in 32 bits: 2^32 + 1 reads as 1.
    Parsed big("{ s 0 0 4294967297 " + std::string(40, '9') + " }\n");
    EXPECT_EQ(segOf(big[0], 0).x1, 1);

    Parsed word(std::string(10000, 'w'));
    EXPECT_TRUE(word.ok);
    Parsed braces(std::string(5000, '{') + "\n" + std::string(5000, '}') + "\n");
    ASSERT_EQ(braces.size(), 5000u);
    EXPECT_NE(braces[0], nullptr);
    EXPECT_EQ(braces[1], nullptr);
    Parsed name("{ name " + std::string(3000, 'n'));
    EXPECT_EQ(name.size(), 0u);

    // Bytes without a terminating zero: the parse stops at their end.
    const std::vector<std::uint8_t> bytes{'{', ' ', 's', ' ', '1', ' ', '2', ' ', '3', ' ', '4', ' ', '}', '\n', '{', ' ', '#'};
    LIST* list = OBJ2D_parse(std::span<const std::uint8_t>(bytes));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 1);
    OBJ2D* o = static_cast<OBJ2D*>(list->items[0]);
    EXPECT_EQ(o->segments->count, 1);
    OBJ2D_free(&o);
    LIST_free(&list);

    // Every byte value, in a fixed pseudo-random mix.
    std::uint32_t seed = 12345;
    for (int round = 0; round < 50; ++round) {
        std::vector<std::uint8_t> noise(400);
        for (std::uint8_t& b : noise) {
            seed = seed * 1103515245u + 12345u;
            const std::uint8_t pick = static_cast<std::uint8_t>(seed >> 24);
            static constexpr char common[] = "{}s-$#nc0123456789 \n,";
            b = (pick & 1) ? static_cast<std::uint8_t>(common[(pick >> 1) % (sizeof(common) - 1)]) : pick;
        }
        LIST* l = OBJ2D_parse(std::span<const std::uint8_t>(noise));
        ASSERT_NE(l, nullptr);
        for (std::int32_t i = 0; i < l->count; ++i) {
            OBJ2D* item = static_cast<OBJ2D*>(l->items[i]);
            if (item != nullptr) OBJ2D_free(&item);
        }
        LIST_free(&l);
    }
    Parsed reset("1\n");   // leave the sign at +1 for other tests
}

TEST(Obj2dDraw, QuarterTurnScaleAndPosition)
{
    OBJ2D* o = objectWith({{0, 0, 10, 0, 0, 0}});
    OBJ2D_setColor(o, 0x123456);
    support::Picture imagePicture(16, 16);
    IMG* image = imagePicture.img;
    o->angle = 256;
    OBJ2D_draw(o, image);
    // (10, 0) turns to (0, 9): 10 * 32766 >> 15 truncates.
    EXPECT_EQ(IMG_getPixel(image, 0, 0), 0x123456u);
    EXPECT_EQ(IMG_getPixel(image, 0, 9), 0x123456u);
    EXPECT_EQ(IMG_getPixel(image, 0, 10), 0u);
    EXPECT_EQ(litCount(image), 10);

    IMG_clear(image, 0);
    o->angle = 0;
    o->scale->x = -1;
    o->position->x = 12;
    o->position->y = 3;
    OBJ2D_draw(o, image);   // mirrored, then moved: (12, 3) to (2, 3)
    EXPECT_EQ(IMG_getPixel(image, 2, 3), 0x123456u);
    EXPECT_EQ(IMG_getPixel(image, 12, 3), 0x123456u);
    EXPECT_EQ(litCount(image), 11);
    EXPECT_EQ(segOf(o, 0).x1, 10);   // the stored geometry is unchanged

    OBJ2D_applyTransform(o);
    EXPECT_EQ(segOf(o, 0).x0, 12);
    EXPECT_EQ(segOf(o, 0).x1, 2);
    EXPECT_EQ(segOf(o, 0).y1, 3);
    OBJ2D_free(&o);
    EXPECT_EQ(o, nullptr);
}

TEST(Obj2dEdit, CopyCloneAndPointOperations)
{
    OBJ2D* a = objectWith({{1, 2, 3, 4, 0, 0}, {-5, 6, 7, 8, 0, 0}});
    OBJ2D* b = objectWith({{0, 0, 0, 0, 0, 0}});
    a->angle = 9;
    a->position->x = 11;
    Parsed named("{ name kiwi\n}\n");
    OBJ2D_copy(named[0], a);   // 0 points against 4: refused
    EXPECT_EQ(a->name, nullptr);
    OBJ2D_copy(a, b);
    EXPECT_EQ(b->angle, 0);
    EXPECT_EQ(segOf(b, 0).x0, 0);

    a->name = static_cast<char*>(std::malloc(5));
    std::memcpy(a->name, "lime", 5);
    OBJ2D* c = OBJ2D_clone(a);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->segments->count, 2);
    EXPECT_EQ(segOf(c, 1).x0, -5);
    EXPECT_EQ(c->angle, 9);
    EXPECT_EQ(c->position->x, 11);
    EXPECT_STREQ(c->name, "lime");
    EXPECT_NE(c->name, a->name);   // each object owns its texts
    EXPECT_EQ(c->farthest, a->farthest);

    OBJ2D_moveSegments(c);
    EXPECT_EQ(segOf(c, 0).x0, 12);
    EXPECT_EQ(c->position->x, 11);
    OBJ2D_multiply(c, 3);
    EXPECT_EQ(segOf(c, 1).x0, 18);
    OBJ2D_divide(c, -4);
    EXPECT_EQ(segOf(c, 1).x0, -4);   // 18 / -4 truncates toward zero
    EXPECT_EQ(segOf(c, 1).y0, -4);
    static_cast<SEG2D*>(c->segments->items[0])->start->x = INT32_MIN;
    OBJ2D_divide(c, -1);             // wraps instead of overflowing
    EXPECT_EQ(segOf(c, 0).x0, INT32_MIN);
    OBJ2D_setColor(c, 0xabcdef);
    EXPECT_EQ(segOf(c, 1).c1, 0xabcdefu);
    EXPECT_EQ(c->color, 0xabcdefu);
    OBJ2D_free(&a);
    OBJ2D_free(&b);
    OBJ2D_free(&c);
}

TEST(Obj2dFarthest, EndPointsOnAddAllPointsOnSearch)
{
    OBJ2D* o = objectWith({{10, 10, 1, 1, 0, 0}});
    EXPECT_EQ(o->farthest, 1);   // only end points are tested when adding
    SEG2D* seg = SEG2D_new();
    seg->start->x = 0; seg->start->y = 0; seg->end->x = 1; seg->end->y = -1;
    OBJ2D_addSegment(o, seg);
    EXPECT_EQ(o->farthest, 1);   // a tie keeps the old point
    EXPECT_EQ(OBJ2D_isFarther(o, 0), 1);
    OBJ2D_findFarthest(o);
    EXPECT_EQ(o->farthest, 0);

    OBJ2D* zero = objectWith({{0, 0, 0, 0, 0, 0}});
    zero->farthest = 5;
    OBJ2D_findFarthest(zero);
    EXPECT_EQ(zero->farthest, 5);   // every point at the origin: unchanged
    EXPECT_EQ(OBJ2D_isFarther(zero, 0), 1);   // an invalid farthest always loses
    EXPECT_EQ(OBJ2D_isFarther(zero, 2), 0);   // no such point
    OBJ2D_free(&o);
    OBJ2D_free(&zero);
}

TEST(Obj2dCollide, CrossingParallelAndApart)
{
    OBJ2D* a = objectWith({{0, 0, 10, 10, 0, 0}});
    OBJ2D* crossing = objectWith({{0, 10, 10, 0, 0, 0}});
    OBJ2D* below = objectWith({{0, 20, 10, 20, 0, 0}});
    OBJ2D* parallel = objectWith({{2, 0, 12, 10, 0, 0}});
    EXPECT_EQ(OBJ2D_collide(a, crossing), 1);
    EXPECT_EQ(OBJ2D_collide(a, below), 0);      // boxes do not meet
    EXPECT_EQ(OBJ2D_collide(a, parallel), 1);   // boxes meet: the test is by boxes
    below->position->x = 100000;
    EXPECT_EQ(OBJ2D_collide(a, below), 0);

    // Far-out coordinates give an answer, not an overflow.
    OBJ2D* huge = objectWith({{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0}});
    huge->position->x = INT32_MAX;
    EXPECT_EQ(OBJ2D_collide(huge, a), 1);

    OBJ2D* empty = OBJ2D_new();
    EXPECT_EQ(OBJ2D_collide(a, empty), 0);
    OBJ2D_free(&a);
    OBJ2D_free(&crossing);
    OBJ2D_free(&below);
    OBJ2D_free(&parallel);
    OBJ2D_free(&huge);
    OBJ2D_free(&empty);
}

TEST(Obj2dParse, EmbeddedTexts)
{
    struct Expect {
        const char* file;
        std::int32_t objects;
    };
    for (const Expect& e : {Expect{"line8.txt", 256}, Expect{"wire16.txt", 256}, Expect{"pictures.txt", 87}}) {
        LIST* list = OBJ2D_parse(ASSETS_find(e.file));
        ASSERT_NE(list, nullptr) << e.file;
        EXPECT_EQ(list->count, e.objects) << e.file;
        for (std::int32_t i = 0; i < list->count; ++i) {
            OBJ2D* o = static_cast<OBJ2D*>(list->items[i]);
            ASSERT_NE(o, nullptr) << e.file << " " << i;
            if (std::string(e.file) == "line8.txt" && i == 65) {
                EXPECT_STREQ(o->name, "A");
                EXPECT_EQ(o->segments->count, 3);
                EXPECT_EQ(segOf(o, 0).c0, 0xAACCEEu);
            }
            if (std::string(e.file) == "pictures.txt" && i == 0) {
                EXPECT_STREQ(o->name, "apple1");
            }
            OBJ2D_free(&o);
        }
        LIST_free(&list);
    }
}
