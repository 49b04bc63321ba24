#include "engine/graphics/ObjectManager.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace ZorvaneEngine {
namespace {

// Counts its deletions so that a double delete or a leak shows up as a number.
struct Counted {
    explicit Counted(int* deletions) : deletions(deletions) {}
    virtual ~Counted() { ++*deletions; }
    int* deletions;
};

// M(1) .. M(6) are the objects of a test; each test deletes those it ends
// with unregistered, the pool the others.
class ObjectManagerTest : public ::testing::Test {
protected:
    ObjectManagerTest()
    {
        for (Counted*& object : objects) object = new Counted(&deletions);
    }

    Counted* M(int n) { return objects[n - 1]; }

    int deletions = 0;
    Counted* objects[6] = {};
};

TEST_F(ObjectManagerTest, ReusesTheLastFreedSlotAndCompactsBelowHalf)
{
    ObjectManager<Counted> pool;
    for (int n = 1; n <= 4; ++n) pool.Add(M(n));

    using Slots = std::vector<Counted*>;
    using Free = std::deque<uint32_t>;
    struct Step {
        bool add;
        int object;
        Slots slots;
        Free free;
    };
    const Step steps[] = {
        {false, 2, {M(1), nullptr, M(3), M(4)}, {1}},
        {true, 5, {M(1), M(5), M(3), M(4)}, {}},
        {false, 1, {nullptr, M(5), M(3), M(4)}, {0}},
        // 2 objects in 4 slots: 4 is not less than 4, the holes stay.
        {false, 3, {nullptr, M(5), nullptr, M(4)}, {0, 2}},
        {true, 6, {nullptr, M(5), M(6), M(4)}, {0}},
        {false, 4, {nullptr, M(5), M(6), nullptr}, {0, 3}},
        // 1 object in 4 slots: the holes go, the survivor moves to slot 0.
        {false, 5, {M(6)}, {}},
        {true, 1, {M(6), M(1)}, {}},
        {false, 6, {nullptr, M(1)}, {0}},
        // Removing the only object empties everything (0 × 2 < 1).
        {false, 1, {}, {}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        if (step.add) {
            pool.Add(M(step.object));
        } else {
            ASSERT_TRUE(pool.Remove(M(step.object))) << "step " << i;
        }
        EXPECT_EQ(pool.GetSlots(), step.slots) << "step " << i;
        EXPECT_EQ(pool.GetFreeSlots(), step.free) << "step " << i;
        uint32_t live = 0;
        for (Counted* object : step.slots) live += object != nullptr;
        EXPECT_EQ(pool.GetCount(), live) << "step " << i;
    }
    // Removing only unregisters.
    EXPECT_EQ(deletions, 0);
    for (Counted* object : objects) delete object;
}

TEST_F(ObjectManagerTest, RefusesWhatIsNotRegistered)
{
    ObjectManager<Counted> pool;
    pool.Add(M(1));
    pool.Add(M(2));
    pool.Add(nullptr);
    EXPECT_EQ(pool.GetCount(), 2u);
    EXPECT_EQ(pool.GetSlots().size(), 2u);

    EXPECT_FALSE(pool.Remove(nullptr));
    EXPECT_FALSE(pool.Remove(M(3)));
    EXPECT_TRUE(pool.Remove(M(2)));
    EXPECT_FALSE(pool.Remove(M(2)));
    EXPECT_EQ(pool.GetCount(), 1u);
    EXPECT_EQ(pool.GetSlots(), (std::vector<Counted*>{M(1), nullptr}));
    EXPECT_EQ(pool.GetFreeSlots(), (std::deque<uint32_t>{1}));
    for (int n = 2; n <= 6; ++n) delete M(n);
}

TEST_F(ObjectManagerTest, DeletesWhatIsStillRegisteredExactlyOnce)
{
    {
        ObjectManager<Counted> pool;
        for (int n = 1; n <= 4; ++n) pool.Add(M(n));
        ASSERT_TRUE(pool.Remove(M(2)));
        // The caller ends what it removed; the pool ends the rest.
        delete M(2);
        EXPECT_EQ(deletions, 1);
    }
    EXPECT_EQ(deletions, 4);
    for (int n = 5; n <= 6; ++n) delete M(n);
}

} // namespace
} // namespace ZorvaneEngine
