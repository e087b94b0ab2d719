// The memory functions answer type lookups and element locations from an index of the chains;
// the stream functions always walk the chains. The same operations on the same bytes must give
// the same results and the same files, for sound and for damaged containers.
#include <random>

#include "cellstore/flat.h"
#include "test_support.h"

using namespace cellstore_test;

namespace {

struct TypeShape {
    int typeNo;
    unsigned elementSize;
};

const TypeShape kShapes[] = {{2, 4}, {3, 8}, {10, 16}, {11, 32}, {14, 8}};

// Runs one random operation on both families and checks that they agree.
class Twin {
  public:
    Twin(FILE* stream, std::mt19937& random) : m_stream(stream), m_random(random) {}

    void Step() {
        const TypeShape& shape = kShapes[m_random() % std::size(kShapes)];
        switch (m_random() % 6) {
            case 0:
            case 1:
                Add(shape, shape.elementSize);
                break;
            case 2:
                Add(shape, shape.elementSize + (m_random() % 3 == 0 ? 4 : 0));
                break;
            case 3:
                AddString();
                break;
            default:
                Read(shape);
        }
    }

  private:
    void Add(const TypeShape& shape, unsigned elementSize) {
        unsigned count = 1 + m_random() % 5;
        Bytes data(count * elementSize);
        for (auto& byte : data)
            byte = static_cast<unsigned char>(m_random());
        unsigned memoryIndex = 0;
        unsigned streamIndex = 0;
        int memory = zoBfAddDataM(data.data(), shape.typeNo, elementSize, count, &memoryIndex);
        int stream =
            zoBfAddData(m_stream, data.data(), shape.typeNo, elementSize, count, &streamIndex);
        ASSERT_EQ(memory, stream);
        if (memory == 1) {
            ASSERT_EQ(memoryIndex, streamIndex);
        }
    }

    void AddString() {
        std::string text(1 + m_random() % 9, static_cast<char>('a' + m_random() % 26));
        unsigned memoryIndex = 0;
        unsigned streamIndex = 0;
        ASSERT_EQ(zoBfAddStringM(text.c_str(), &memoryIndex),
                  zoBfAddString(m_stream, text.c_str(), &streamIndex));
        ASSERT_EQ(memoryIndex, streamIndex);
        unsigned n = m_random() % (memoryIndex + 2);
        ASSERT_EQ(zoBfGetStrLengM(n), zoBfGetStrLeng(m_stream, n));
    }

    void Read(const TypeShape& shape) {
        unsigned total = zoBfGetElementCountM(shape.typeNo);
        ASSERT_EQ(total, zoBfGetElementCount(m_stream, shape.typeNo));
        int first = static_cast<int>(m_random() % (total + 3)) - 1;
        unsigned count = m_random() % 8;
        Bytes memory(8 * shape.elementSize, 0xEE);
        Bytes stream(8 * shape.elementSize, 0xEE);
        int fromMemory = zoBfGetDataM(memory.data(), shape.typeNo, first, count, shape.elementSize);
        int fromStream =
            zoBfGetData(m_stream, stream.data(), shape.typeNo, first, count, shape.elementSize);
        ASSERT_EQ(fromMemory, fromStream) << first << "+" << count << " of " << total;
        ASSERT_EQ(memory, stream);
        int usableMemory = -1;
        int usableStream = -1;
        ASSERT_EQ(zoBfGetAvailableTypeNoM(&usableMemory),
                  zoBfGetAvailableTypeNo(m_stream, &usableStream));
        ASSERT_EQ(usableMemory, usableStream);
    }

    FILE* m_stream;
    std::mt19937& m_random;
};

class IndexedAgainstWalked : public ::testing::Test {
  protected:
    void SetUp() override {
        zoBfSetStringTypeNo(40);
        zoBfSetStringTypeNoM(40);
    }
    void TearDown() override {
        zoBfSetStringTypeNo(-1);
        zoBfSetStringTypeNoM(-1);
    }
    ScratchDir m_dir;
};

TEST_F(IndexedAgainstWalked, RandomBuildsGiveTheSameResultsAndBytes) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        std::string memoryPath = m_dir.File("m" + std::to_string(seed));
        std::string streamPath = m_dir.File("s" + std::to_string(seed));
        FILE* memory = zoBfOpenM(memoryPath.c_str(), "wb");
        FILE* stream = zoBfOpen(streamPath.c_str(), "w+b");
        ASSERT_EQ(zoBfInitM(), 1);
        ASSERT_EQ(zoBfInit(stream), 1);
        Twin twin(stream, random);
        for (int step = 0; step < 400; ++step) {
            ASSERT_NO_FATAL_FAILURE(twin.Step()) << "seed " << seed << " step " << step;
        }
        ASSERT_EQ(zoBfCloseM(memory), 0);
        ASSERT_EQ(zoBfClose(stream), 0);
        EXPECT_EQ(ReadFileBytes(memoryPath), ReadFileBytes(streamPath)) << seed;
    }
}

// Chains that share or overlap records: appending to one type rewrites a record of another.
TEST_F(IndexedAgainstWalked, OverlappingChainsGiveTheSameResults) {
    // The golden sample: type 2 @48 (records @84 -> @148), type 3 @96 (record @132).
    ByteBuilder b;
    b.EmptyHeader(2, 48).Cell(2, 4, 3, 1, 84, 96, 0).I32(7).I32(8).Record(76, 2, 148);
    b.Cell(3, 8, 3, 0, 132, -1, 0).I32(1).I32(2).Record(124, 1, 84);  // joins type 2's chain
    b.I32(9).Record(144, 1, -1);
    const std::vector<std::vector<std::pair<size_t, int32_t>>> variants = {
        {},                            // type 3's chain runs into type 2's
        {{96 + 16, 84}, {96 + 8, 3}},  // both types start at the same record
        {{84 + 8, 150}, {96 + 8, 1}},  // a record overlapping another record
        {{132, 96}, {132 + 4, 3}},     // a block over a cell
        {{148 + 8, 52}, {48 + 8, 4}},  // a record inside a cell
    };
    std::mt19937 random(3);
    for (size_t v = 0; v < variants.size(); ++v) {
        Bytes bytes = b.Get();
        for (auto [offset, value] : variants[v])
            PutI32At(bytes, offset, value);
        std::string memoryPath = m_dir.File("om");
        std::string streamPath = m_dir.File("os");
        WriteFileBytes(memoryPath, bytes);
        WriteFileBytes(streamPath, bytes);
        FILE* memory = zoBfOpenM(memoryPath.c_str(), "r+b");
        FILE* stream = zoBfOpen(streamPath.c_str(), "r+b");
        Twin twin(stream, random);
        for (int step = 0; step < 40; ++step) {
            ASSERT_NO_FATAL_FAILURE(twin.Step()) << "variant " << v << " step " << step;
        }
        ASSERT_EQ(zoBfCloseM(memory), 0);
        ASSERT_EQ(zoBfClose(stream), 0);
        EXPECT_EQ(ReadFileBytes(memoryPath), ReadFileBytes(streamPath)) << v;
    }
}

// Damage a sound container at random and compare the two families on the result.
TEST_F(IndexedAgainstWalked, DamagedContainersGiveTheSameResults) {
    std::string base = m_dir.File("base");
    {
        std::mt19937 random(99);
        FILE* memory = zoBfOpenM(base.c_str(), "wb");
        FILE* stream = zoBfOpen(m_dir.File("unused").c_str(), "w+b");
        zoBfInitM();
        zoBfInit(stream);
        Twin twin(stream, random);
        for (int step = 0; step < 60; ++step)
            twin.Step();
        zoBfCloseM(memory);
        zoBfClose(stream);
    }
    const Bytes sound = ReadFileBytes(base);
    std::mt19937 random(7);
    for (int round = 0; round < 150; ++round) {
        Bytes damaged = sound;
        for (int hits = 1 + random() % 3; hits > 0; --hits) {
            size_t at = 32 + (random() % (damaged.size() - 36)) / 4 * 4;
            int32_t values[] = {-1,
                                0,
                                1,
                                48,
                                static_cast<int32_t>(at),
                                static_cast<int32_t>(random() % damaged.size()),
                                0x7FFFFFFF};
            PutI32At(damaged, at, values[random() % std::size(values)]);
        }
        std::string memoryPath = m_dir.File("dm");
        std::string streamPath = m_dir.File("ds");
        WriteFileBytes(memoryPath, damaged);
        WriteFileBytes(streamPath, damaged);
        FILE* memory = zoBfOpenM(memoryPath.c_str(), "r+b");
        FILE* stream = zoBfOpen(streamPath.c_str(), "r+b");
        ASSERT_NE(memory, nullptr);
        Twin twin(stream, random);
        for (int step = 0; step < 30; ++step) {
            ASSERT_NO_FATAL_FAILURE(twin.Step()) << "round " << round << " step " << step;
        }
        ASSERT_EQ(zoBfCloseM(memory), 0);
        ASSERT_EQ(zoBfClose(stream), 0);
        EXPECT_EQ(ReadFileBytes(memoryPath), ReadFileBytes(streamPath)) << round;
    }
}

}  // namespace
