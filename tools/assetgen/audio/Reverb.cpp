#include "audio/Reverb.hpp"

#include <array>
#include <vector>

namespace {

class Comb {
public:
    explicit Comb(int length) : buffer_(length, 0.0f) {}
    float process(float x, float feedback, float damp)
    {
        float out = buffer_[index_];
        store_ = out * (1.0f - damp) + store_ * damp;
        buffer_[index_] = x + store_ * feedback;
        if (++index_ == static_cast<int>(buffer_.size()))
            index_ = 0;
        return out;
    }

private:
    std::vector<float> buffer_;
    int index_ = 0;
    float store_ = 0.0f;
};

class AllPass {
public:
    explicit AllPass(int length) : buffer_(length, 0.0f) {}
    float process(float x)
    {
        float buffered = buffer_[index_];
        float out = buffered - x;
        buffer_[index_] = x + buffered * 0.5f;
        if (++index_ == static_cast<int>(buffer_.size()))
            index_ = 0;
        return out;
    }

private:
    std::vector<float> buffer_;
    int index_ = 0;
};

constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPasses = {556, 441, 341, 225};
constexpr int kSpread = 23;

void runChannel(const std::vector<float>& in, std::vector<float>& out, int spread, float feedback, float damp)
{
    std::vector<Comb> combs;
    std::vector<AllPass> passes;
    for (int length : kCombs)
        combs.emplace_back(length + spread);
    for (int length : kAllPasses)
        passes.emplace_back(length + spread);
    for (size_t i = 0; i < in.size(); ++i) {
        float x = in[i] * 0.015f;
        float acc = 0.0f;
        for (Comb& c : combs)
            acc += c.process(x, feedback, damp);
        for (AllPass& a : passes)
            acc = a.process(acc);
        out[i] = acc;
    }
}

} // namespace

Reverb::Reverb(float roomSize, float damping)
    : feedback_(0.7f + 0.28f * roomSize), damping_(0.4f * damping)
{
}

StereoBuffer Reverb::process(const StereoBuffer& send) const
{
    StereoBuffer wet(send.frames());
    runChannel(send.left, wet.left, 0, feedback_, damping_);
    runChannel(send.right, wet.right, kSpread, feedback_, damping_);
    return wet;
}
