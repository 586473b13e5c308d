#include "puzzles/vexor/VexorModel.h"

#include <algorithm>
#include <utility>

#include "app/core/RandomSource.h"

namespace {

// Frame t of a move lies t / (AnimationFrames + 1) of the way between the two tables.
constexpr int FrameDivisor = VexorModel::AnimationFrames + 1;
// The lowest booking of the positions below the top two.
constexpr int LeastBooking = 3;

void clear(VexorModel::Table& table)
{
    for (auto& account : table)
        account.fill(0);
}

} // namespace

VexorModel::VexorModel(RandomSource& random) : random_(random)
{
    // Until the first Generate a solved board keeps drawing well defined.
    setSolvedPlaceholder();
}

void VexorModel::setBarLevel(int level)
{
    const int clamped = std::clamp(level, MinLevel, MaxLevel);
    if (clamped == barLevel_)
        return;
    barLevel_ = clamped;
    setSolvedPlaceholder();
}

void VexorModel::setBookingLevel(int level)
{
    const int clamped = std::clamp(level, MinLevel, MaxLevel);
    if (clamped == bookingLevel_)
        return;
    bookingLevel_ = clamped;
    setSolvedPlaceholder();
}

void VexorModel::setSolvedPlaceholder()
{
    clear(bookings_);
    moving_ = false;
    const int n = bookingCount();
    for (int a = 1; a <= accountCount(); ++a) {
        for (int k = 1; k < n; ++k)
            bookings_[a][k] = Target / n;
        bookings_[a][n] = Target - (n - 1) * (Target / n);
    }
    UpdateSums();
    updateReachLimit();
}

bool VexorModel::setBookings(const Table& table)
{
    long long total = 0;
    for (int a = 0; a <= MaxAccounts; ++a) {
        for (int k = 0; k <= MaxPositions; ++k) {
            const bool inUse = a >= 1 && a <= accountCount() && validPosition(k);
            const int value = table[a][k];
            if (inUse ? value < 0 : value != 0)
                return false;
            total += value;
        }
    }
    if (total != static_cast<long long>(Target) * accountCount())
        return false;
    bookings_ = table;
    moving_ = false;
    UpdateSums();
    updateReachLimit();
    return true;
}

void VexorModel::Generate()
{
    clear(bookings_);
    moving_ = false;
    // Every cell in use is overwritten by the next round, so the board is cleared only once.
    do {
        fillAccounts();
        displace();
        UpdateSums();
    } while (AllEqual());
    mixPositions();
    updateReachLimit();
}

// Each account totals Target. q never falls from one position to the next and starts at
// Target div (n - 1) >= 14, so every range is non-empty; the second-highest position may be 0.
void VexorModel::fillAccounts()
{
    const int n = bookingCount();
    for (int a = 1; a <= accountCount(); ++a) {
        int s = 0;
        for (int k = 1; k <= n - 2; ++k) {
            const int q = (Target - s) / (n - k);
            bookings_[a][k] = LeastBooking + random_.Random(q - LeastBooking);
            s += bookings_[a][k];
        }
        bookings_[a][n - 1] = random_.Random(Target - s);
        s += bookings_[a][n - 1];
        bookings_[a][n] = Target - s;
    }
}

// A non-zero rotation of every position, so rotating each back solves the puzzle.
void VexorModel::displace()
{
    const int m = accountCount();
    for (int k = 1; k <= bookingCount(); ++k) {
        const int r = random_.Random(m - 1) + 1;
        for (int i = 0; i < r; ++i)
            ShiftLeft(k);
    }
}

// Exchanging whole positions keeps every account's total; a draw of the same position twice
// still counts as an exchange.
void VexorModel::mixPositions()
{
    const int n = bookingCount();
    for (int round = 0; round < 10 * n; ++round) {
        const int k1 = random_.Random(n) + 1;
        const int k2 = random_.Random(n) + 1;
        for (int a = 1; a <= accountCount(); ++a)
            std::swap(bookings_[a][k1], bookings_[a][k2]);
    }
}

void VexorModel::ShiftLeft(int k)
{
    if (!validPosition(k))
        return;
    const int m = accountCount();
    const int first = bookings_[1][k];
    for (int a = 1; a < m; ++a)
        bookings_[a][k] = bookings_[a + 1][k];
    bookings_[m][k] = first;
    UpdateSums();
}

void VexorModel::ShiftRight(int k)
{
    if (!validPosition(k))
        return;
    const int m = accountCount();
    const int last = bookings_[m][k];
    for (int a = m; a > 1; --a)
        bookings_[a][k] = bookings_[a - 1][k];
    bookings_[1][k] = last;
    UpdateSums();
}

bool VexorModel::AllEqual() const
{
    for (int a = 2; a <= accountCount(); ++a) {
        if (accountSum_[a] != accountSum_[1])
            return false;
    }
    return true;
}

// Rows and positions out of use hold 0, so summing all of them is the same as summing those in use.
void VexorModel::UpdateSums()
{
    highestSum_ = 0;
    for (int a = 0; a <= MaxAccounts; ++a) {
        int sum = 0;
        for (int k = 1; k <= bookingCount(); ++k)
            sum += bookings_[a][k];
        accountSum_[a] = sum;
        if (a >= 1)
            highestSum_ = std::max(highestSum_, sum);
    }
}

// A shift keeps each position's largest booking, so this holds for the whole puzzle.
void VexorModel::updateReachLimit()
{
    reachLimit_ = 0;
    for (int k = 1; k <= bookingCount(); ++k) {
        int largest = 0;
        for (int a = 1; a <= accountCount(); ++a)
            largest = std::max(largest, bookings_[a][k]);
        reachLimit_ += largest;
    }
}

bool VexorModel::startMove(int k, Shift direction)
{
    if (!validPosition(k))
        return false;
    beforeMove_ = bookings_;
    if (direction == Shift::Left)
        ShiftLeft(k);
    else
        ShiftRight(k);
    afterMove_ = bookings_;
    moving_ = true;
    return true;
}

// Integer division truncates toward zero, so a falling booking rounds up and a rising one down.
void VexorModel::showFrame(int t)
{
    if (!moving_)
        return;
    t = std::clamp(t, 0, FrameDivisor);
    for (int a = 1; a <= accountCount(); ++a) {
        for (int k = 1; k <= bookingCount(); ++k) {
            const int before = beforeMove_[a][k];
            bookings_[a][k] = before + ((afterMove_[a][k] - before) * t) / FrameDivisor;
        }
    }
    UpdateSums();
}

void VexorModel::finishMove()
{
    if (!moving_)
        return;
    bookings_ = afterMove_;
    moving_ = false;
    UpdateSums();
}
