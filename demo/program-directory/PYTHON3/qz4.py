# Interface of the problem book for Python (demo stand-in).

def task(name):
    print("Task " + name + ": the demo distribution holds no tasks.")
