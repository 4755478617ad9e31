#!/usr/bin/python3
"""A client of the accessibility bus as a screen reader is one: registered for every kind of
event, it asks the source of each for what it would speak (name and role), which the editor
answers in its event loop. Prints "listening" once registered; on SIGTERM prints how many
events of each kind reached it and ends."""
import collections
import signal

import pyatspi

counts = collections.Counter()


def on_event(event):
    counts[event.type] += 1
    try:
        event.source.name, event.source.getRole()
    except Exception:  # the object was gone before the question reached it
        pass


def stop(*_):
    pyatspi.Registry.stop()


signal.signal(signal.SIGTERM, stop)
pyatspi.Registry.registerEventListener(on_event, "object", "window", "focus", "document")
print("listening", flush=True)
pyatspi.Registry.start()
print(f"events received: {sum(counts.values())}", flush=True)
for kind, count in counts.most_common():
    print(f"  {count:8d}  {kind}", flush=True)
