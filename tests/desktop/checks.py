"""What the desktop tests share: each check printed as it is made, the failed ones kept."""

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition
