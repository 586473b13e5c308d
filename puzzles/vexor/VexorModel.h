#pragma once

#include <array>

class RandomSource;

// The accounts and their bookings. Accounts and positions run 1..8 as the puzzle counts them;
// index 0 is unused so rules read like the puzzle's own numbering. Position 1 is the bottom of
// a bar. Every account totals Target when generated, and shifts only rotate one position among
// the accounts, so the grand total is always Target x accountCount.
class VexorModel {
  public:
    static constexpr int MinLevel = 1;
    static constexpr int MaxLevel = 5;
    static constexpr int MaxAccounts = 8;
    static constexpr int MaxPositions = 8;
    static constexpr int Target = 100;
    // Frames between the two tables of a move; frame t shows t sevenths of the way.
    static constexpr int AnimationFrames = 6;

    using Bookings = std::array<int, MaxPositions + 1>;
    using Table = std::array<Bookings, MaxAccounts + 1>;
    using Sums = std::array<int, MaxAccounts + 1>;

    enum class Shift { Left, Right };

    explicit VexorModel(RandomSource& random);

    int barLevel() const { return barLevel_; }
    int bookingLevel() const { return bookingLevel_; }
    // The level number of the high-score list: bar level x 10 + booking level.
    int mode() const { return barLevel_ * 10 + bookingLevel_; }
    int accountCount() const { return barLevel_ + 3; }
    int bookingCount() const { return bookingLevel_ + 3; }
    int target() const { return Target; }

    // Each clamps to MinLevel..MaxLevel. A changed level leaves a solved placeholder board of the
    // new size until the next Generate; an unchanged one leaves the board alone.
    void setBarLevel(int level);
    void setBookingLevel(int level);

    const Table& bookings() const { return bookings_; }
    int booking(int account, int position) const { return bookings_[account][position]; }
    const Sums& accountSum() const { return accountSum_; }
    int highestSum() const { return highestSum_; }
    int reachLimit() const { return reachLimit_; }

    // Takes a hand-made board when it keeps the invariants: no negative booking in use, nothing
    // outside accountCount x bookingCount, grand total Target x accountCount. False leaves the
    // board as it was.
    bool setBookings(const Table& table);

    // A fresh, unsolved puzzle at the current levels.
    void Generate();

    // Positions outside 1..bookingCount are ignored.
    void ShiftLeft(int k);
    void ShiftRight(int k);
    bool AllEqual() const;

    // A move in three steps, so the caller can draw each frame: StartMove keeps the tables before
    // and after the shift and leaves the board at its end; showFrame(t) puts the board t sevenths
    // of the way from beforeMove to afterMove (its totals no longer add up until FinishMove);
    // FinishMove settles on afterMove. False for a position outside 1..bookingCount.
    bool startMove(int k, Shift direction);
    void showFrame(int t);
    void finishMove();
    const Table& beforeMove() const { return beforeMove_; }
    const Table& afterMove() const { return afterMove_; }

  private:
    bool validPosition(int k) const { return k >= 1 && k <= bookingCount(); }
    void setSolvedPlaceholder();
    void fillAccounts();
    void displace();
    void mixPositions();
    void UpdateSums();
    void updateReachLimit();

    RandomSource& random_;
    int barLevel_ = MinLevel;
    int bookingLevel_ = MinLevel;
    Table bookings_{};
    Sums accountSum_{};
    int highestSum_ = 0;
    int reachLimit_ = 0;
    Table beforeMove_{};
    Table afterMove_{};
    bool moving_ = false;
};
