// Game settings record and the object counter.
