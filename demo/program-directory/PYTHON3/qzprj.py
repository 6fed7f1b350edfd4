from qz4 import task

task("Begin1")
