// Placeholder until the first dialog of this library exists.
