#pragma once

// The catalogue data module: builds dictionaries from a catalogue database. Created first
// at start, before DMBorehole; it holds no connection until it is asked to read one.
class TDMDict
{
public:
    TDMDict() = default;
    TDMDict(const TDMDict &) = delete;
    TDMDict &operator=(const TDMDict &) = delete;
};

// The one instance, made at start-up, kept until the program ends.
extern TDMDict *DMDict;
