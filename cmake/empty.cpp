// The module library is made of its layers; this file only gives the target a source.
