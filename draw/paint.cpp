#include "draw/paint.h"

#include <array>

namespace {

// A few kept values looked up by key; once full, the oldest entry makes room.
template <typename Key, typename Value>
class Kept {
public:
    template <typename Make>
    const Value& Get(const Key& key, Make make)
    {
        for (int i = 0; i < used_; ++i)
            if (entries_[i].key == key)
                return entries_[i].value;
        const int slot = used_ < kSize ? used_++ : next_++ % kSize;
        entries_[slot] = {key, make()};
        return entries_[slot].value;
    }

private:
    // Room for every colour of the game's balls and cue.
    static constexpr int kSize = 16;
    struct Entry {
        Key key{};
        Value value;
    };
    std::array<Entry, kSize> entries_{};
    int used_ = 0;
    int next_ = 0;
};

struct PenKey {
    int32_t color;
    qreal width;
    bool operator==(const PenKey&) const = default;
};

} // namespace

const QBrush& SolidBrush(int32_t color)
{
    static Kept<int32_t, QBrush> brushes;
    return brushes.Get(color, [color] { return QBrush(ToQColor(color)); });
}

const QPen& RoundPen(int32_t color, qreal width)
{
    static Kept<PenKey, QPen> pens;
    return pens.Get(PenKey{color, width},
                    [&] { return QPen(ToQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); });
}
