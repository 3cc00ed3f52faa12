#pragma once

// How far a file write goes before it reports success. Either way the file is
// replaced atomically: a reader sees the old file or the new one, whole.
enum class Durability {
    Mirror, // a working copy the editor remakes at will: need not wait for the disk
    Durable // a user's file: flushed to the disk before it takes the name
};
